#include "browsers/chromium/ChromeExtensions.h"

#include <shlobj.h>

#include "platform/FileUtil.h"
#include "platform/ShellHelpers.h"

const std::array<const wchar_t*, 4> ChromiumProfileDirs = {
    L"\\Google\\Chrome\\User Data\\Default\\",
    L"\\Comodo\\Dragon\\User Data\\Default\\",
    L"\\RockMelt\\User Data\\Default\\",
    L"\\Chromium\\User Data\\Default\\",
};

std::wstring FindChromiumProfile(const std::wstring& localAppData) {
    if (localAppData.empty()) return {};
    for (const wchar_t* row : ChromiumProfileDirs) {
        const std::wstring folder = localAppData + row;
        if (FileExists(folder + L"Preferences")) return folder;
    }
    return {};
}

TChromeExtensions::TChromeExtensions()
    : TChromiumAdapter(BrowserKind::ChromeFamily, L"Google Chrome", L"chrome.exe") {
    ReadProfile([] { return FindChromiumProfile(GetSpecialFolder(nullptr, CSIDL_LOCAL_APPDATA)); });
}
