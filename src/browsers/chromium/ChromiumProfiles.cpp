#include "browsers/chromium/ChromiumProfiles.h"

#include <optional>

#include "browsers/chromium/LocalStateProfiles.h"
#include "json/JsonDocument.h"
#include "platform/FileUtil.h"
#include "platform/Utf.h"

namespace {

bool HoldsSettings(const std::wstring& folder) {
    return FileExists(folder + L"Preferences") || FileExists(folder + L"Secure Preferences");
}

}  // namespace

std::vector<TBrowserProfile> FindChromiumProfiles(const std::wstring& userData) {
    std::vector<TBrowserProfile> found;
    if (userData.empty()) return found;
    if (const std::optional<JsonDocument> localState = JsonDocument::LoadFile(userData + L"Local State")) {
        for (const LocalStateProfile& listed : ReadLocalStateProfiles(*localState)) {
            TBrowserProfile profile{userData + ToWide(listed.folder) + L"\\", ToWide(listed.folder),
                                    ToWide(listed.name)};
            if (HoldsSettings(profile.DataPath)) found.push_back(std::move(profile));
        }
    }
    if (found.empty() && FileExists(userData + L"Default\\Preferences"))
        found.push_back({userData + L"Default\\", L"Default", L""});
    return found;
}
