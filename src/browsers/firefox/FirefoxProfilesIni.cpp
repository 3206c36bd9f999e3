#include "browsers/firefox/FirefoxProfilesIni.h"

#include <algorithm>
#include <optional>

#include "net/IniText.h"
#include "platform/StrUtil.h"

namespace {

bool IsProfileSection(std::string_view name) {
    if (name.size() <= 7 || !EqualsAsciiCaseless(name.substr(0, 7), "profile")) return false;
    return std::all_of(name.begin() + 7, name.end(), [](char c) { return c >= '0' && c <= '9'; });
}

bool IsInstallSection(std::string_view name) {
    return name.size() > 7 && EqualsAsciiCaseless(name.substr(0, 7), "install");
}

// Paths as Firefox writes them may use either slash.
std::string PathKey(std::string_view path) {
    std::string key = FoldAsciiCase(path);
    std::replace(key.begin(), key.end(), '/', '\\');
    return key;
}

}  // namespace

std::vector<FirefoxIniProfile> ReadFirefoxProfiles(std::string_view utf8) {
    const IniText ini = IniText::Parse(utf8);
    std::vector<FirefoxIniProfile> profiles;
    std::vector<bool> markedDefault;
    std::optional<std::string> installDefault;
    for (const std::string& section : ini.SectionNames()) {
        if (IsInstallSection(section)) {
            const std::string chosen = ini.ReadString(section, "Default", "");
            if (!installDefault && !chosen.empty()) installDefault = PathKey(chosen);
            continue;
        }
        if (!IsProfileSection(section)) continue;
        FirefoxIniProfile profile;
        profile.section = section;
        profile.name = ini.ReadString(section, "Name", "");
        profile.path = ini.ReadString(section, "Path", "");
        if (profile.name.empty() || profile.path.empty()) continue;
        profile.relative = ini.ReadString(section, "IsRelative", "1") != "0";
        markedDefault.push_back(ini.ReadString(section, "Default", "") == "1");
        profiles.push_back(std::move(profile));
    }

    std::size_t first = profiles.size();
    if (installDefault) {
        for (std::size_t i = 0; i < profiles.size() && first == profiles.size(); ++i)
            if (PathKey(profiles[i].path) == *installDefault) first = i;
    }
    for (std::size_t i = 0; i < profiles.size() && first == profiles.size(); ++i)
        if (markedDefault[i]) first = i;
    for (std::size_t i = 0; i < profiles.size() && first == profiles.size(); ++i)
        if (EqualsAsciiCaseless(profiles[i].section, "Profile0")) first = i;
    if (first < profiles.size())
        std::rotate(profiles.begin(), profiles.begin() + static_cast<std::ptrdiff_t>(first),
                    profiles.begin() + static_cast<std::ptrdiff_t>(first) + 1);
    return profiles;
}
