#include "browsers/chromium/OperaExtensions.h"

#include <shlobj.h>

#include "platform/FileUtil.h"
#include "platform/ShellHelpers.h"
#include "platform/WowRedirection.h"

std::wstring FindOperaProfile(const std::wstring& roamingAppData) {
    if (roamingAppData.empty()) return {};
    const std::wstring folder = roamingAppData + L"\\Opera Software\\Opera Stable\\";
    if (!FolderExists(folder)) return {};
    if (!PathExistsAnyView(folder + L"Preferences")) return {};
    return folder;
}

TOPeraExtensions::TOPeraExtensions() : TChromiumAdapter(BrowserId::Opera) {
    ReadProfile([]() -> std::optional<TBrowserProfile> {
        const std::wstring folder = FindOperaProfile(GetSpecialFolder(nullptr, CSIDL_APPDATA));
        if (folder.empty()) return std::nullopt;
        // Opera keeps a single profile, named after its folder.
        return TBrowserProfile{folder, L"Opera Stable", L""};
    });
}
