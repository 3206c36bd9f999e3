#include "browsers/chromium/ChromeExtensions.h"

#include <shlobj.h>

#include "browsers/chromium/ChromiumProfiles.h"
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

std::wstring ChromiumUserData(const std::wstring& localAppData, BrowserId browser) {
    const std::wstring_view userData = FactsOf(browser).userData;
    if (localAppData.empty() || userData.empty()) return {};
    return localAppData + std::wstring(userData);
}

ChromeFamilyProfiles FindChromeFamilyProfiles(const std::wstring& localAppData) {
    for (BrowserId member : ChromeFamilyMembers()) {
        std::vector<TBrowserProfile> profiles = FindChromiumProfiles(ChromiumUserData(localAppData, member));
        if (!profiles.empty()) return {member, std::move(profiles)};
    }
    return {};
}

TChromeExtensions::TChromeExtensions() : TChromiumAdapter(BrowserId::Chrome) {
    ReadProfile([this]() -> std::optional<TBrowserProfile> {
        ChromeFamilyProfiles found = FindChromeFamilyProfiles(GetSpecialFolder(nullptr, CSIDL_LOCAL_APPDATA));
        Browser = found.member;
        if (found.profiles.empty()) return std::nullopt;
        return std::move(found.profiles.front());
    });
}

TChromeExtensions::TChromeExtensions(BrowserId browser, const std::optional<TBrowserProfile>& profile)
    : TChromiumAdapter(browser) {
    ReadProfile([&profile] { return profile; });
}
