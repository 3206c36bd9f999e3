#include "AppShellFixture.h"

#include "app/LangCodeList.h"
#include "platform/PublicFuns.h"

#include <shlobj.h>

#include <filesystem>

namespace {

class SettingsTest : public AppShellTest {
protected:
    void SetUp() override {
        AppShellTest::SetUp();
        // A language that the display language selects, so detection is visible.
        WriteLanguage(L"Detected", "[Translation]\nLangCode = 0001|" + FormatLanguageId(GetUserDefaultUILanguage()) + "\n");
    }
    void WriteSettings(const std::string& utf8) const { WriteUtf16LeFile(SettingsFile(), utf8); }
    bool SettingsFolderExists() const { return std::filesystem::exists(SettingsFolderPath()); }
};

}  // namespace

TEST_F(SettingsTest, SettingsLiveInTheRoamingApplicationDataFolder) {
    SetSettingsFolderForTests(L"");
    const std::wstring roaming = GetSpecialFolder(nullptr, CSIDL_APPDATA);
    ASSERT_FALSE(roaming.empty());
    EXPECT_EQ(SettingsFolder(), WithTrailingBackslash(roaming) + L"Brivo Plugin Manager");
    EXPECT_EQ(SettingsFilePath(), WithTrailingBackslash(roaming) + L"Brivo Plugin Manager\\BrivoPM.ini");
}

TEST_F(SettingsTest, FirstStartDetectsTheLanguageAndCreatesNothingUntilTheFirstSave) {
    AppConfig = TAppConfig{L"Stale", false, false, 99};
    LoadSettings();
    EXPECT_EQ(AppConfig.Language, L"Detected");
    EXPECT_TRUE(AppConfig.CheckNews);
    EXPECT_TRUE(AppConfig.AutoUpdate);
    EXPECT_EQ(AppConfig.MSGID, 0);
    EXPECT_FALSE(SettingsFolderExists());
    EXPECT_FALSE(std::filesystem::exists(scratch_ / L"roaming"));

    SaveSettings();
    ASSERT_TRUE(std::filesystem::exists(SettingsFile()));
    const std::wstring text = ReadProfileFileText(SettingsFile());
    EXPECT_EQ(text, L"[General]\r\nLanguage=Detected\r\nCheckNews=1\r\nAutoUpdate=1\r\nMSGID=0\r\n");
}

TEST_F(SettingsTest, MissingFileInsideTheFolderReadsAsDefaults) {
    std::filesystem::create_directories(SettingsFolderPath());
    AppConfig = TAppConfig{L"Stale", false, false, 99};
    LoadSettings();
    EXPECT_EQ(AppConfig.Language, L"Detected");
    EXPECT_TRUE(AppConfig.CheckNews);
    EXPECT_TRUE(AppConfig.AutoUpdate);
    EXPECT_EQ(AppConfig.MSGID, 0);
    EXPECT_FALSE(std::filesystem::exists(SettingsFile()));
}

TEST_F(SettingsTest, StoredValuesAreReadBack) {
    WriteSettings("[General]\r\nLanguage=Deutsch\r\nCheckNews=0\r\nAutoUpdate=0\r\nMSGID=0x10\r\n");
    LoadSettings();
    EXPECT_EQ(AppConfig.Language, L"Deutsch");
    EXPECT_FALSE(AppConfig.CheckNews);
    EXPECT_FALSE(AppConfig.AutoUpdate);
    EXPECT_EQ(AppConfig.MSGID, 16);

    WriteSettings("[general]\r\nlanguage = English\r\nCHECKNEWS = 1\r\nAutoUpdate = -3\r\nMSGID = -42\r\n");
    LoadSettings();
    EXPECT_EQ(AppConfig.Language, L"English");
    EXPECT_TRUE(AppConfig.CheckNews);
    EXPECT_TRUE(AppConfig.AutoUpdate);  // any non-zero integer
    EXPECT_EQ(AppConfig.MSGID, -42);
}

TEST_F(SettingsTest, EmptyLanguageIsDetectedAgainAndWrittenBackAtTheNextSave) {
    WriteSettings("[General]\r\nLanguage=\r\nCheckNews=0\r\nAutoUpdate=1\r\nMSGID=7\r\n");
    LoadSettings();
    EXPECT_EQ(AppConfig.Language, L"Detected");
    EXPECT_FALSE(AppConfig.CheckNews);
    EXPECT_EQ(AppConfig.MSGID, 7);
    SaveSettings();
    EXPECT_NE(ReadProfileFileText(SettingsFile()).find(L"Language=Detected\r\n"), std::wstring::npos);
}

TEST_F(SettingsTest, ValuesThatAreNoIntegersGiveTheDefaults) {
    WriteSettings("[General]\r\nLanguage=Deutsch\r\nCheckNews=no\r\nAutoUpdate=12abc\r\nMSGID=0x\r\n");
    LoadSettings();
    EXPECT_TRUE(AppConfig.CheckNews);
    EXPECT_TRUE(AppConfig.AutoUpdate);
    EXPECT_EQ(AppConfig.MSGID, 0);

    WriteSettings("[General]\r\nCheckNews=\r\nAutoUpdate=0x0\r\nMSGID=99999999999\r\n");
    LoadSettings();
    EXPECT_TRUE(AppConfig.CheckNews);
    EXPECT_FALSE(AppConfig.AutoUpdate);  // "0x0" is an integer: zero
    EXPECT_EQ(AppConfig.MSGID, 0);
}

TEST_F(SettingsTest, SavingKeepsOtherKeysAndSections) {
    WriteSettings("; kept comment\r\n[Window]\r\nLeft=10\r\n[General]\r\nExtra=keep me\r\nMSGID=3\r\n"
                  "[Other]\r\nA=1\r\n");
    LoadSettings();
    AppConfig.Language = L"Français";
    AppConfig.CheckNews = false;
    AppConfig.AutoUpdate = true;
    AppConfig.MSGID = -5;
    SaveSettings();

    const std::wstring text = ReadProfileFileText(SettingsFile());
    EXPECT_NE(text.find(L"; kept comment"), std::wstring::npos);
    EXPECT_NE(text.find(L"[Window]\r\nLeft=10\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"Extra=keep me\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"[Other]\r\nA=1\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"MSGID=-5\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"CheckNews=0\r\n"), std::wstring::npos);
    EXPECT_NE(text.find(L"AutoUpdate=1\r\n"), std::wstring::npos);

    AppConfig = TAppConfig{};
    LoadSettings();
    EXPECT_EQ(AppConfig.Language, L"Français");
    EXPECT_FALSE(AppConfig.CheckNews);
    EXPECT_TRUE(AppConfig.AutoUpdate);
    EXPECT_EQ(AppConfig.MSGID, -5);
}

TEST_F(SettingsTest, LanguageNamesOutsideTheAnsiCodePageSurviveANewFile) {
    AppConfig = TAppConfig{L"Русский", true, false, 12};
    SaveSettings();
    AppConfig = TAppConfig{L"Chinese (Simplified)", true, true, 0};
    LoadSettings();
    EXPECT_EQ(AppConfig.Language, L"Русский");
    EXPECT_FALSE(AppConfig.AutoUpdate);
    EXPECT_EQ(AppConfig.MSGID, 12);

    AppConfig.Language = L"简体中文";
    SaveSettings();
    LoadSettings();
    EXPECT_EQ(AppConfig.Language, L"简体中文");
}

TEST_F(SettingsTest, TheMainWindowsPlacementFollowsTheFourSettings) {
    WriteSettings("[General]\r\nLanguage=Deutsch\r\nCheckNews=1\r\nAutoUpdate=0\r\nMSGID=4\r\n");
    LoadSettings();
    EXPECT_FALSE(AppConfig.MainWindow.Valid());  // a file of an earlier version

    AppConfig.MainWindow = {-1200, 40, 800, 600};
    SaveSettings();
    EXPECT_EQ(ReadProfileFileText(SettingsFile()), L"[General]\r\nLanguage=Deutsch\r\nCheckNews=1\r\nAutoUpdate=0\r\n"
                                                   L"MSGID=4\r\nWindowPos=-1200,40\r\nWindowSize=800,600\r\n");
    AppConfig = TAppConfig{};
    LoadSettings();
    EXPECT_EQ(AppConfig.MainWindow.Left, -1200);
    EXPECT_EQ(AppConfig.MainWindow.Top, 40);
    EXPECT_EQ(AppConfig.MainWindow.Width, 800);
    EXPECT_EQ(AppConfig.MainWindow.Height, 600);

    AppConfig.MainWindow = {5, 6, 700, 500};
    SaveSettings();
    const std::wstring text = ReadProfileFileText(SettingsFile());
    EXPECT_NE(text.find(L"WindowPos=5,6\r\nWindowSize=700,500\r\n"), std::wstring::npos);
    EXPECT_EQ(text.find(L"-1200"), std::wstring::npos);
}

namespace {

struct StoredPlacement {
    const char* name;
    const char* lines;  // the placement keys as stored
};

void PrintTo(const StoredPlacement& stored, std::ostream* out) { *out << stored.name; }

class StoredPlacementTest : public SettingsTest, public ::testing::WithParamInterface<StoredPlacement> {};

}  // namespace

TEST_P(StoredPlacementTest, AnythingButTwoWholePairsWithAPositiveSizeIsNoPlacement) {
    WriteSettings(std::string("[General]\r\nMSGID=9\r\n") + GetParam().lines);
    AppConfig.MainWindow = {1, 2, 3, 4};
    LoadSettings();
    EXPECT_FALSE(AppConfig.MainWindow.Valid());
    EXPECT_EQ(AppConfig.MainWindow.Left, 0);
    EXPECT_EQ(AppConfig.MainWindow.Top, 0);
    EXPECT_EQ(AppConfig.MSGID, 9);
}

INSTANTIATE_TEST_SUITE_P(
    Settings, StoredPlacementTest,
    ::testing::Values(StoredPlacement{"NoPosition", "WindowSize=800,600\r\n"},
                      StoredPlacement{"NoSize", "WindowPos=10,20\r\n"},
                      StoredPlacement{"ZeroWidth", "WindowPos=10,20\r\nWindowSize=0,600\r\n"},
                      StoredPlacement{"NegativeHeight", "WindowPos=10,20\r\nWindowSize=800,-1\r\n"},
                      StoredPlacement{"OneNumber", "WindowPos=10\r\nWindowSize=800,600\r\n"},
                      StoredPlacement{"ThreeNumbers", "WindowPos=10,20,30\r\nWindowSize=800,600\r\n"},
                      StoredPlacement{"Words", "WindowPos=left,top\r\nWindowSize=800,600\r\n"},
                      StoredPlacement{"EmptySize", "WindowPos=10,20\r\nWindowSize=\r\n"},
                      StoredPlacement{"Fraction", "WindowPos=10,20\r\nWindowSize=800.5,600\r\n"}),
    [](const auto& info) { return std::string(info.param.name); });
