#include "browsers/chromium/OperaExtensions.h"

#include <shlobj.h>

#include "platform/ShellHelpers.h"
#include "platform/WowRedirection.h"

std::wstring FindOperaProfile(const std::wstring& roamingAppData) {
    if (roamingAppData.empty()) return {};
    const std::wstring folder = roamingAppData + L"\\Opera Software\\Opera Stable\\";
    const DWORD attributes = GetFileAttributesW(folder.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_DIRECTORY)) return {};
    if (!PathExistsAnyView(folder + L"Preferences")) return {};
    return folder;
}

TOPeraExtensions::TOPeraExtensions() : TChromiumAdapter(BrowserKind::Opera, L"Opera", L"opera.exe") {
    ReadProfile([] { return FindOperaProfile(GetSpecialFolder(nullptr, CSIDL_APPDATA)); });
}
