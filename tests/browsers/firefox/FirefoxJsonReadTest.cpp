// Reading the add-ons of "extensions.json", and how the reading ends when a
// file of the profile cannot be read.
#include <gtest/gtest.h>

#include "FirefoxTestFiles.h"
#include "browsers/IconDownload.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "support/MessagePump.h"
#include "support/TestHttpServer.h"
#include "platform/Utf.h"

#include <algorithm>
#include "platform/GdiplusInclude.h"

namespace {

class FirefoxJsonRead : public ::testing::Test {
protected:
    FirefoxSandbox sandbox;
    std::wstring profile = sandbox.MakeProfile();
};

TEST_F(FirefoxJsonRead, EveryElementBecomesAnExtensionRecordFollowedByThePluginsInListOrder) {
    WriteBytes(profile + L"extensions.json", R"({"schemaVersion":16,"addons":[
        {"id":"zeta@test","name":"zeta","version":"2.0.1","descriptor":"C:\\addons\\zeta.xpi","type":"extension"},
        {"id":"alpha@test","name":"Alpha","version":"1.0","descriptor":"C:\\addons\\alpha"},
        {"id":"Beta@test","name":"Beta"}]})");
    const TFireFoxExtensions firefox;
    ASSERT_TRUE(firefox.PrefsDocument);
    // Kind first, then names by code unit: upper case before lower case.
    EXPECT_EQ(RecordIds(firefox), (std::vector<std::wstring>{L"alpha@test", L"Beta@test", L"zeta@test", sandbox.PluginId()}));
    const TBrowserExtensionInfo* zeta = FindRecord(firefox, L"zeta@test");
    EXPECT_EQ(zeta->Kind, AddonKind::Extension);
    EXPECT_EQ(zeta->Name, L"zeta");
    EXPECT_EQ(zeta->Description, L"");
    EXPECT_EQ(zeta->Version, L"2.0.1");
    EXPECT_EQ(zeta->FilePath, L"C:\\addons\\zeta.xpi");
    EXPECT_FALSE(zeta->Disabled);
    EXPECT_EQ(zeta->NativeView, 0);
    EXPECT_EQ(zeta->IconUrl, L"");
    EXPECT_EQ(FindRecord(firefox, sandbox.PluginId())->Kind, AddonKind::Plugin);
}

TEST_F(FirefoxJsonRead, UserOrBrowserDisablingSwitchesAnAddonOff) {
    WriteBytes(profile + L"extensions.json", R"({"addons":[
        {"id":"none"},
        {"id":"both-false","userDisabled":false,"appDisabled":false},
        {"id":"app","userDisabled":false,"appDisabled":true},
        {"id":"user","userDisabled":true,"appDisabled":false},
        {"id":"user-only","userDisabled":true},
        {"id":"not-a-boolean","userDisabled":1,"appDisabled":"true"}]})");
    const TFireFoxExtensions firefox;
    EXPECT_FALSE(FindRecord(firefox, L"none")->Disabled);
    EXPECT_FALSE(FindRecord(firefox, L"both-false")->Disabled);
    EXPECT_TRUE(FindRecord(firefox, L"app")->Disabled);
    EXPECT_TRUE(FindRecord(firefox, L"user")->Disabled);
    EXPECT_TRUE(FindRecord(firefox, L"user-only")->Disabled);
    EXPECT_FALSE(FindRecord(firefox, L"not-a-boolean")->Disabled);
}

TEST_F(FirefoxJsonRead, DefaultLocaleTextsReplaceTheAddonsOwnNameEvenWhenMissing) {
    WriteBytes(profile + L"extensions.json", R"({"addons":[
        {"id":"plain","name":"Plain name"},
        {"id":"nameless-locale","name":"Own name","defaultLocale":{"description":"Only a description"}},
        {"id":"array-locales","name":"Own","locales":[{"name":"from array"}],
         "defaultLocale":{"name":"Default","description":"Default text"}},
        {"id":"null-locale","name":"Kept","defaultLocale":null}]})");
    const TFireFoxExtensions firefox;
    const TBrowserExtensionInfo* plain = FindRecord(firefox, L"plain");
    EXPECT_EQ(plain->Name, L"Plain name");
    EXPECT_EQ(plain->Description, L"");
    const TBrowserExtensionInfo* nameless = FindRecord(firefox, L"nameless-locale");
    EXPECT_EQ(nameless->Name, L"");
    EXPECT_EQ(nameless->Description, L"Only a description");
    const TBrowserExtensionInfo* array = FindRecord(firefox, L"array-locales");
    EXPECT_EQ(array->Name, L"Default");
    EXPECT_EQ(array->Description, L"Default text");
    EXPECT_EQ(FindRecord(firefox, L"null-locale")->Name, L"Kept");
}

TEST_F(FirefoxJsonRead, NullAndOtherNonObjectElementsStillYieldRecordsWithEmptyTexts) {
    WriteBytes(profile + L"extensions.json", R"({"addons":[null,{"id":"real","name":"Real"},7,null]})");
    const TFireFoxExtensions firefox;
    ASSERT_EQ(firefox.GetExtensionCount(), 5);
    int empty = 0;
    for (int i = 0; i < firefox.GetExtensionCount(); ++i) {
        const TBrowserExtensionInfo* record = firefox.GetExtension(i);
        if (record->Kind != AddonKind::Extension || !record->Id.empty()) continue;
        ++empty;
        EXPECT_EQ(record->Name, L"");
        EXPECT_EQ(record->FilePath, L"");
        EXPECT_FALSE(record->Disabled);
    }
    EXPECT_EQ(empty, 3);
}

TEST_F(FirefoxJsonRead, WithoutAnAddonsArrayOnlyThePluginsAreListed) {
    for (const char* text : {R"({"schemaVersion":16})", R"({"addons":{"id":"x"}})", R"([1,2])"}) {
        SCOPED_TRACE(text);
        WriteBytes(profile + L"extensions.json", text);
        const TFireFoxExtensions firefox;
        EXPECT_TRUE(firefox.PrefsDocument);
        EXPECT_EQ(RecordIds(firefox), std::vector<std::wstring>{sandbox.PluginId()});
    }
}

TEST_F(FirefoxJsonRead, WhenBothStoresExistOnlyExtensionsJsonIsReadAndAddonsJsonIsNotConsulted) {
    WriteBytes(profile + L"extensions.json", R"({"addons":[{"id":"json@test","name":"From JSON"}]})");
    WriteBytes(profile + L"addons.json", R"({"addons":[{"id":"json@test","name":"Cached","description":"Cached text"}]})");
    WriteLegacyDatabase(profile + L"extensions.sqlite", {{.id = "db@test", .name = "From database"}});
    const TFireFoxExtensions firefox;
    EXPECT_EQ(RecordIds(firefox), (std::vector<std::wstring>{L"json@test", sandbox.PluginId()}));
    EXPECT_EQ(FindRecord(firefox, L"json@test")->Name, L"From JSON");
    EXPECT_EQ(FindRecord(firefox, L"json@test")->Description, L"");
    EXPECT_TRUE(firefox.AddonsDocument);
}

TEST_F(FirefoxJsonRead, AnInvalidExtensionsJsonGivesWayToTheDatabase) {
    for (const std::string& text : {std::string(R"({"addons":[{"id":"broken")"), std::string("\xff\xfe{}"),
                                   std::string("")}) {
        WriteBytes(profile + L"extensions.json", text);
        WriteLegacyDatabase(profile + L"extensions.sqlite", {{.id = "db@test", .name = "From database"}});
        const TFireFoxExtensions firefox;
        EXPECT_FALSE(firefox.PrefsDocument);
        EXPECT_EQ(RecordIds(firefox), (std::vector<std::wstring>{L"db@test", sandbox.PluginId()}));
        DeleteFileW((profile + L"extensions.sqlite").c_str());
    }
}

TEST_F(FirefoxJsonRead, AProfileWithNeitherStoreListsOnlyThePlugins) {
    WriteBytes(profile + L"addons.json", R"({"addons":[{"id":"cached@test","name":"Cached"}]})");
    const TFireFoxExtensions firefox;
    EXPECT_FALSE(firefox.PrefsDocument);
    EXPECT_TRUE(firefox.AddonsDocument);
    EXPECT_EQ(RecordIds(firefox), std::vector<std::wstring>{sandbox.PluginId()});
}

TEST_F(FirefoxJsonRead, ALockedProfileFileEndsTheReadingBeforeThePlugins) {
    for (const wchar_t* locked : {L"extensions.json", L"addons.json"}) {
        SCOPED_TRACE(ToUtf8(locked));
        WriteBytes(profile + L"extensions.json", R"({"addons":[{"id":"a@test"}]})");
        WriteBytes(profile + L"addons.json", R"({"addons":[]})");
        const LockedFile lock(profile + locked);
        ASSERT_TRUE(lock.Locked());
        const TFireFoxExtensions firefox;
        EXPECT_EQ(firefox.DataPath, profile);
        EXPECT_EQ(firefox.GetExtensionCount(), 0);
    }
}

TEST_F(FirefoxJsonRead, ADatabaseThatCannotBeOpenedEndsTheReadingBeforeThePlugins) {
    WriteLegacyDatabase(profile + L"extensions.sqlite", {{.id = "db@test"}});
    const LockedFile lock(profile + L"extensions.sqlite");
    ASSERT_TRUE(lock.Locked());
    const TFireFoxExtensions firefox;
    EXPECT_EQ(firefox.GetExtensionCount(), 0);
}

class FirefoxIcons : public FirefoxJsonRead {
protected:
    static void SetUpTestSuite() { server = std::make_unique<TestHttpServer>(); }
    static void TearDownTestSuite() { server.reset(); }
    void SetUp() override { ASSERT_TRUE(server->Started()) << ToUtf8(server->Failure()); }
    static bool DownloadsEnded() { return IconDownloadsRunning() == 0; }

    inline static std::unique_ptr<TestHttpServer> server;
};

TEST_F(FirefoxIcons, The64PixelIconIsFetchedBeforeThe32PixelOne) {
    const std::string big = ToUtf8(server->Url(L"/blue.png"));
    const std::string small = ToUtf8(server->Url(L"/red.png"));
    const std::string missing = ToUtf8(server->Url(L"/missing.png"));
    WriteBytes(profile + L"extensions.json",
               R"({"addons":[{"id":"both","icons":{"32":")" + small + R"(","64":")" + big + R"("}},
                 {"id":"small-only","icons":{"32":")" + small + R"(","64":""}},
                 {"id":"sixteen","icons":{"16":")" + small + R"("}},
                 {"id":"broken","icons":{"64":")" + missing + R"("}},
                 {"id":"no-icons"}]})");
    const TFireFoxExtensions firefox;
    const TBrowserExtensionInfo* both = FindRecord(firefox, L"both");
    const TBrowserExtensionInfo* smallOnly = FindRecord(firefox, L"small-only");
    EXPECT_EQ(both->IconUrl, server->Url(L"/blue.png"));
    EXPECT_EQ(smallOnly->IconUrl, server->Url(L"/red.png"));
    EXPECT_EQ(FindRecord(firefox, L"sixteen")->IconUrl, L"");
    ASSERT_TRUE(PumpMessagesUntil(DownloadsEnded));
    ASSERT_TRUE(both->Icon);
    EXPECT_EQ(both->Icon->GetWidth(), 32u);  // blue.png is 32x24, red.png 16x16
    ASSERT_TRUE(smallOnly->Icon);
    EXPECT_EQ(smallOnly->Icon->GetWidth(), 16u);
    EXPECT_FALSE(FindRecord(firefox, L"sixteen")->Icon);
    EXPECT_FALSE(FindRecord(firefox, L"broken")->Icon);
    EXPECT_FALSE(FindRecord(firefox, L"no-icons")->Icon);
    EXPECT_EQ(server->Hits(L"/blue.png"), 1);
    EXPECT_EQ(server->Hits(L"/red.png"), 1);  // only small-only's
}

TEST_F(FirefoxIcons, DatabaseIconAddressesAreFetchedToo) {
    WriteLegacyDatabase(profile + L"extensions.sqlite",
                        {{.id = "icon@test", .iconUrl = ToUtf8(server->Url(L"/blue.png"))}, {.id = "plain@test"}});
    const TFireFoxExtensions firefox;
    const TBrowserExtensionInfo* record = FindRecord(firefox, L"icon@test");
    ASSERT_TRUE(PumpMessagesUntil(DownloadsEnded));
    ASSERT_TRUE(record->Icon);
    EXPECT_EQ(record->Icon->GetHeight(), 24u);
    EXPECT_FALSE(FindRecord(firefox, L"plain@test")->Icon);
}

}  // namespace
