#include "browsers/chromium/LocalStateProfiles.h"

#include <algorithm>

bool IsPlainFolderName(std::string_view name) {
    return !name.empty() && name != "." && name != ".." && name.find_first_of("\\/:") == std::string_view::npos &&
           name.find('\0') == std::string_view::npos;
}

std::vector<LocalStateProfile> ReadLocalStateProfiles(const JsonDocument& localState) {
    std::vector<LocalStateProfile> profiles;
    const JsonValue* profile = Member(&localState.Root(), "profile");
    const JsonValue* cache = Member(profile, "info_cache");
    if (!cache || !cache->IsObject()) return profiles;
    for (auto member = cache->MemberBegin(); member != cache->MemberEnd(); ++member) {
        const std::string folder(member->name.GetString(), member->name.GetStringLength());
        if (!IsPlainFolderName(folder)) continue;
        const bool seen = std::any_of(profiles.begin(), profiles.end(),
                                      [&](const LocalStateProfile& p) { return p.folder == folder; });
        if (seen) continue;
        profiles.push_back({folder, GetText(&member->value, "name")});
    }
    const std::string lastUsed = GetText(profile, "last_used");
    const auto last = std::find_if(profiles.begin(), profiles.end(),
                                   [&](const LocalStateProfile& p) { return p.folder == lastUsed; });
    if (last != profiles.end()) std::rotate(profiles.begin(), last, last + 1);
    return profiles;
}
