// Finding the profile: the Firefox folder and "profiles.ini" (the order of
// all its profiles: FirefoxProfilesIniTest).
#include <gtest/gtest.h>

#include "FirefoxTestFiles.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "platform/Utf.h"

namespace {

const char* kOneAddon = R"({"addons":[{"id":"one@test","name":"One"}]})";

TEST(FirefoxProfile, AnAdapterIsFirefoxWhetherOrNotItsFolderExists) {
    const FirefoxSandbox sandbox(false);
    const TFireFoxExtensions firefox;
    EXPECT_EQ(firefox.Kind, BrowserKind::Firefox);
    EXPECT_EQ(firefox.DisplayName, L"Mozilla Firefox");
    EXPECT_EQ(firefox.PrefsFileName, L"extensions.json");
    // No Firefox folder: nothing is read, not even the plug-ins.
    EXPECT_EQ(firefox.DataPath, L"");
    EXPECT_EQ(firefox.GetExtensionCount(), 0);
    EXPECT_FALSE(firefox.PrefsDocument);
}

TEST(FirefoxProfile, ARelativePathWithSlashesNamesAFolderBelowTheFirefoxFolder) {
    const FirefoxSandbox sandbox;
    const std::wstring profile = sandbox.MakeProfile("Profiles/abcd.default");
    WriteBytes(profile + L"extensions.json", kOneAddon);
    const TFireFoxExtensions firefox;
    EXPECT_EQ(firefox.DataPath, sandbox.Folder() + L"Profiles\\abcd.default\\");
    EXPECT_EQ(RecordIds(firefox), (std::vector<std::wstring>{L"one@test", sandbox.PluginId()}));
    ASSERT_TRUE(firefox.PrefsDocument);
}

TEST(FirefoxProfile, TheProfileMarkedDefaultIsReadFirst) {
    const FirefoxSandbox sandbox;
    MakeFolders(sandbox.Folder() + L"second.default");
    MakeFolders(sandbox.Folder() + L"first.default");
    WriteBytes(sandbox.Folder() + L"second.default\\extensions.json", kOneAddon);
    // Without an [Install...] section the "Default=1" mark decides, not the
    // section's number or place.
    sandbox.WriteProfilesIni(
        "[Profile1]\r\nName=other\r\nPath=second.default\r\nDefault=1\r\n\r\n"
        "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=first.default\r\n");
    const TFireFoxExtensions firefox;
    EXPECT_EQ(firefox.DataPath, sandbox.Folder() + L"second.default\\");
    EXPECT_EQ(firefox.ProfileFolder, L"second.default");
    EXPECT_EQ(firefox.ProfileName, L"other");
    EXPECT_NE(FindRecord(firefox, L"one@test"), nullptr);
}

TEST(FirefoxProfile, AnAbsolutePathIsTheProfileFolderItself) {
    const FirefoxSandbox sandbox;
    const std::wstring elsewhere = sandbox.Folder() + L"elsewhere.default\\";
    MakeFolders(elsewhere);
    WriteBytes(elsewhere + L"extensions.json", kOneAddon);
    const std::string written = ToUtf8(elsewhere.substr(0, elsewhere.size() - 1));
    sandbox.WriteProfilesIni("[Profile0]\r\nName=far\r\nIsRelative=0\r\nPath=" + written + "\r\n");
    const TFireFoxExtensions firefox;
    EXPECT_EQ(firefox.DataPath, elsewhere);
    EXPECT_EQ(ToUtf8(firefox.ProfileFolder), written) << "the Path as written";
    EXPECT_EQ(RecordIds(firefox), (std::vector<std::wstring>{L"one@test", sandbox.PluginId()}));
}

TEST(FirefoxProfile, WithoutAProfilePathTheFirefoxFolderItselfIsRead) {
    for (const char* ini : {static_cast<const char*>(nullptr), "[Profile1]\r\nPath=Profiles/x.default\r\n",
                            "[Profile0]\r\nName=default\r\n"}) {
        SCOPED_TRACE(ini ? ini : "(no profiles.ini)");
        const FirefoxSandbox sandbox;
        if (ini) sandbox.WriteProfilesIni(ini);
        MakeFolders(sandbox.Folder() + L"Profiles\\x.default");
        WriteBytes(sandbox.Folder() + L"Profiles\\x.default\\extensions.json", kOneAddon);
        const TFireFoxExtensions firefox;
        EXPECT_EQ(firefox.DataPath, sandbox.Folder() + L"\\");
        EXPECT_EQ(RecordIds(firefox), std::vector<std::wstring>{sandbox.PluginId()});
    }
}

}  // namespace
