#include "support/BrowserSandbox.h"


#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include "platform/ShellHelpers.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

BrowserSandbox::BrowserSandbox()
    : local_(GetSpecialFolder(nullptr, CSIDL_LOCAL_APPDATA)), roaming_(GetSpecialFolder(nullptr, CSIDL_APPDATA)) {
    EXPECT_FALSE(local_.empty());
    EXPECT_FALSE(roaming_.empty());
    for (const wchar_t* vendor : {L"\\Google", L"\\Comodo", L"\\RockMelt", L"\\Chromium", L"\\Microsoft\\Edge",
                                  L"\\BraveSoftware", L"\\Vivaldi"})
        owned_.push_back(local_ + vendor);
    owned_.push_back(roaming_ + L"\\Opera Software");
    owned_.push_back(roaming_ + L"\\Mozilla");
    for (const std::wstring& folder : owned_) {
        if (!PathExists(folder)) continue;
        const std::wstring aside = folder + L".brivo-aside-" + std::to_wstring(GetCurrentProcessId());
        EXPECT_TRUE(MoveFileW(folder.c_str(), aside.c_str())) << ToUtf8(folder);
        moved_.push_back({folder, aside});
    }
}

BrowserSandbox::~BrowserSandbox() {
    for (const std::wstring& folder : owned_) {
        RemoveTree(folder);
        EXPECT_FALSE(PathExists(folder)) << "left behind: " << ToUtf8(folder);
    }
    for (const Moved& m : moved_) MoveFileW(m.aside.c_str(), m.original.c_str());
}

std::wstring BrowserSandbox::MakeChromiumProfile(const wchar_t* row) const {
    const std::wstring folder = local_ + row;
    MakeFolders(folder);
    return folder;
}

std::wstring BrowserSandbox::MakeUserDataProfile(std::wstring_view userData, const std::wstring& profile,
                                                 const std::string& preferences) const {
    const std::wstring folder = local_ + std::wstring(userData) + profile + L"\\";
    MakeFolders(folder);
    if (!preferences.empty()) WriteBytes(folder + L"Preferences", preferences);
    return folder;
}

void BrowserSandbox::WriteLocalState(std::wstring_view userData, const std::string& text) const {
    const std::wstring folder = local_ + std::wstring(userData);
    MakeFolders(folder);
    WriteBytes(folder + L"Local State", text);
}

std::wstring BrowserSandbox::MakeOperaProfile() const {
    const std::wstring folder = roaming_ + L"\\Opera Software\\Opera Stable\\";
    MakeFolders(folder);
    return folder;
}

std::wstring BrowserSandbox::MakeChrome(const std::string& preferences) const {
    const std::wstring folder = MakeChromiumProfile(L"\\Google\\Chrome\\User Data\\Default\\");
    WriteBytes(folder + L"Preferences", preferences);
    return folder;
}

std::wstring BrowserSandbox::MakeOpera(const std::string& preferences) const {
    const std::wstring folder = MakeOperaProfile();
    WriteBytes(folder + L"Preferences", preferences);
    return folder;
}

std::wstring BrowserSandbox::MakeFirefox(const std::string& extensionsJson) const {
    const std::wstring firefox = roaming_ + L"\\Mozilla\\Firefox\\";
    const std::wstring folder = firefox + L"Profiles\\test.default\\";
    MakeFolders(folder);
    WriteBytes(firefox + L"profiles.ini",
                   "[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\n"
                   "Path=Profiles/test.default\r\nDefault=1\r\n");
    if (!extensionsJson.empty()) WriteBytes(folder + L"extensions.json", extensionsJson);
    return folder;
}
