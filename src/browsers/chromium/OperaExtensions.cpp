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

TOPeraExtensions::TOPeraExtensions() : TChromiumAdapter(BrowserKind::Opera, L"Opera", L"opera.exe") {
    ReadProfile([] { return FindOperaProfile(GetSpecialFolder(nullptr, CSIDL_APPDATA)); });
}
