#include "browsers/chromium/OperaExtensions.h"

#include <objidl.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"
#include <gtest/gtest.h>

#include "ChromiumTestFiles.h"
#include "browsers/chromium/ChromeExtensions.h"

namespace {

const std::wstring kAdBlock = L"kkkkllllmmmmnnnnooooppppaaaabbbb";

const char kOperaPreferences[] = R"({"extensions":{"settings":{
  "kkkkllllmmmmnnnnooooppppaaaabbbb":{"state":0,"path":"kkkkllllmmmmnnnnooooppppaaaabbbb\\4.1_0",
    "manifest":{"name":"\\u0411\\u043b\\u043e\\u043a\\u0438\\u0440\\u043e\\u0432\\u0449\\u0438\\u043a",
                "description":"Blocks ads","version":"4.1","icons":{"48":"icon.png"}}}}}})";

class OperaProfile : public ::testing::Test {
protected:
    BrowserSandbox sandbox;
};

TEST_F(OperaProfile, IsReadFromOperaStableInTheRoamingFolder) {
    const std::wstring profile = sandbox.MakeOperaProfile();
    WriteBytes(profile + L"Preferences", kOperaPreferences);
    const std::wstring version = profile + L"Extensions\\" + kAdBlock + L"\\4.1_0";
    MakeFolders(version);
    WritePng(version + L"\\icon.png", 48);

    const TOPeraExtensions opera;
    EXPECT_EQ(opera.DataPath, sandbox.RoamingAppData() + L"\\Opera Software\\Opera Stable\\");
    EXPECT_EQ(opera.Kind, BrowserKind::Opera);
    EXPECT_EQ(opera.DisplayName, L"Opera");
    EXPECT_EQ(opera.PrefsFileName, L"Preferences");
    EXPECT_EQ(opera.ExecutableName(), L"opera.exe");
    ASSERT_GE(opera.GetExtensionCount(), 1);
    const TBrowserExtensionInfo* record = opera.GetExtension(0);
    EXPECT_EQ(record->Id, kAdBlock);
    EXPECT_EQ(record->Kind, AddonKind::Extension);
    EXPECT_TRUE(record->Disabled);
    EXPECT_EQ(record->Name, L"\u0411\u043b\u043e\u043a\u0438\u0440\u043e\u0432\u0449\u0438\u043a");
    EXPECT_EQ(record->FilePath, version);
    EXPECT_TRUE(record->Icon);
    EXPECT_FALSE(opera.GetExtension(-1));
    EXPECT_FALSE(opera.GetExtension(opera.GetExtensionCount()));

    // Chrome's search does not look there.
    EXPECT_TRUE(TChromeExtensions().DataPath.empty());
}

TEST_F(OperaProfile, NeedsTheFolderAndItsPreferences) {
    EXPECT_TRUE(TOPeraExtensions().DataPath.empty());
    const std::wstring profile = sandbox.MakeOperaProfile();
    EXPECT_TRUE(TOPeraExtensions().DataPath.empty()) << "a folder without Preferences";
    WriteBytes(profile + L"Preferences", "");
    const TOPeraExtensions empty;
    EXPECT_EQ(empty.DataPath, profile) << "an empty file is found, and lists nothing";
    EXPECT_EQ(empty.GetExtensionCount(), 0);
    EXPECT_FALSE(empty.PrefsDocument);
    EXPECT_TRUE(FindOperaProfile(L"").empty());

    // A plain file where the profile folder should be.
    RemoveTree(profile);
    WriteBytes(sandbox.RoamingAppData() + L"\\Opera Software\\Opera Stable", "{}");
    EXPECT_TRUE(TOPeraExtensions().DataPath.empty());
}

}  // namespace
