// Reading the add-ons of the older "extensions.sqlite", with the names and
// descriptions of "addons.json".
#include <gtest/gtest.h>

#include "FirefoxTestFiles.h"
#include "browsers/firefox/FireFoxExtensions.h"

namespace {

class FirefoxDatabaseRead : public ::testing::Test {
protected:
    FirefoxSandbox sandbox;
    std::wstring profile = sandbox.MakeProfile();
    std::wstring database = profile + L"extensions.sqlite";
};

TEST_F(FirefoxDatabaseRead, RowsBecomeRecordsWithTheirLocaleTexts) {
    WriteLegacyDatabase(database, {{.id = "{abc}", .name = "Page Saver", .description = "Saves pages",
                                    .iconUrl = "", .descriptor = "C:\\ext\\{abc}.xpi"},
                                   {.id = "bare@test"}});
    const TFireFoxExtensions firefox;
    EXPECT_FALSE(firefox.PrefsDocument);
    EXPECT_EQ(firefox.GetExtensionCount(), 3);
    const TBrowserExtensionInfo* saver = FindRecord(firefox, L"{abc}");
    ASSERT_NE(saver, nullptr);
    EXPECT_EQ(saver->Kind, AddonKind::Extension);
    EXPECT_EQ(saver->Name, L"Page Saver");
    EXPECT_EQ(saver->Description, L"Saves pages");
    EXPECT_EQ(saver->FilePath, L"C:\\ext\\{abc}.xpi");
    EXPECT_EQ(saver->Version, L"");  // the database's version is not read
    EXPECT_FALSE(saver->Disabled);
    // Without a locale row the left join gives NULL texts.
    const TBrowserExtensionInfo* bare = FindRecord(firefox, L"bare@test");
    ASSERT_NE(bare, nullptr);
    EXPECT_EQ(bare->Name, L"");
    EXPECT_EQ(bare->Description, L"");
    // Kind 1 before the plug-in; an empty name sorts first.
    EXPECT_EQ(RecordIds(firefox), (std::vector<std::wstring>{L"bare@test", L"{abc}", sandbox.PluginId()}));
}

TEST_F(FirefoxDatabaseRead, TheUserDisabledFlagWinsAndOtherwiseAnInactiveAddonIsOff) {
    WriteLegacyDatabase(database, {{.id = "on", .active = "1", .userDisabled = "0"},
                                   {.id = "user-off", .active = "1", .userDisabled = "1"},
                                   {.id = "both-off", .active = "0", .userDisabled = "1"},
                                   {.id = "inactive", .active = "0", .userDisabled = "0"},
                                   {.id = "active-null", .active = "NULL", .userDisabled = "0"},
                                   {.id = "user-null", .active = "1", .userDisabled = "NULL"},
                                   {.id = "both-null", .active = "NULL", .userDisabled = "NULL"},
                                   {.id = "user-two", .active = "1", .userDisabled = "2"},
                                   {.id = "user-text-but-off", .active = "'x'", .userDisabled = "1"}});
    const TFireFoxExtensions firefox;
    ASSERT_EQ(firefox.GetExtensionCount(), 10);
    EXPECT_FALSE(FindRecord(firefox, L"on")->Disabled);
    EXPECT_TRUE(FindRecord(firefox, L"user-off")->Disabled);
    EXPECT_TRUE(FindRecord(firefox, L"both-off")->Disabled);
    EXPECT_TRUE(FindRecord(firefox, L"inactive")->Disabled);
    EXPECT_TRUE(FindRecord(firefox, L"active-null")->Disabled);
    EXPECT_FALSE(FindRecord(firefox, L"user-null")->Disabled);
    EXPECT_TRUE(FindRecord(firefox, L"both-null")->Disabled);
    EXPECT_FALSE(FindRecord(firefox, L"user-two")->Disabled);
    // The active flag is only looked at when the user-disabled one is not 1.
    EXPECT_TRUE(FindRecord(firefox, L"user-text-but-off")->Disabled);
}

TEST_F(FirefoxDatabaseRead, TextInAFlagColumnEndsTheReadingWithTheRecordsSoFarAndThePlugins) {
    WriteLegacyDatabase(database, {{.id = "first"},
                                   {.id = "second"},
                                   {.id = "damaged", .active = "'yes'"},
                                   {.id = "after"}});
    const TFireFoxExtensions firefox;
    EXPECT_EQ(RecordIds(firefox), (std::vector<std::wstring>{L"first", L"second", sandbox.PluginId()}));
}

TEST_F(FirefoxDatabaseRead, AMissingTableOrAFileThatIsNoDatabaseListsOnlyThePlugins) {
    RunSql(database, "create table other (x integer);");
    {
        const TFireFoxExtensions firefox;
        EXPECT_EQ(RecordIds(firefox), std::vector<std::wstring>{sandbox.PluginId()});
    }
    // A table "addon" without "locale" fails the same way.
    RunSql(database, "create table addon (internal_id integer, id text);insert into addon values (1, 'x');");
    {
        const TFireFoxExtensions firefox;
        EXPECT_EQ(RecordIds(firefox), std::vector<std::wstring>{sandbox.PluginId()});
    }
    DeleteFileW(database.c_str());
    WriteBytes(database, "this is not an SQLite database, only text that is long enough to look at");
    const TFireFoxExtensions firefox;
    EXPECT_EQ(RecordIds(firefox), std::vector<std::wstring>{sandbox.PluginId()});
}

TEST_F(FirefoxDatabaseRead, NamedColumnsAreFoundWithoutRegardToCaseAndTheFirstOfANameWins) {
    // "name" of "addon" comes before "name" of "locale"; "ICONURL" and
    // "Descriptor" in other letter case; only 17 columns, the flags at 15 and 16.
    RunSql(database,
           "create table addon (internal_id integer, id text, c2, c3, c4, c5, c6, c7, c8, c9, c10, c11, c12,"
           " ICONURL text, name text, active integer, userDisabled integer, Descriptor text);"
           "create table locale (id integer, name text, description text);"
           "insert into addon values (1, 'named', 2,3,4,5,6,7,8,9,10,11,12, 'http://127.0.0.1:9/i.png',"
           " 'Addon column', 1, 0, 'C:\\x');"
           "insert into locale values (1, 'Locale column', 'Locale text');");
    const TFireFoxExtensions firefox;
    const TBrowserExtensionInfo* record = FindRecord(firefox, L"named");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Name, L"Addon column");
    EXPECT_EQ(record->Description, L"Locale text");
    EXPECT_EQ(record->IconUrl, L"http://127.0.0.1:9/i.png");
    EXPECT_EQ(record->FilePath, L"C:\\x");
    EXPECT_FALSE(record->Disabled);
}

TEST_F(FirefoxDatabaseRead, Utf8TextsOfTheDatabaseAreShownAndKept) {
    WriteLegacyDatabase(database, {{.id = "u@test",
                                    .name = "Caf\xc3\xa9 \xe2\x82\xac \xf0\x9d\x84\x9e",
                                    .description = "\xc3\x9c" "bersetzer \xe6\x97\xa5\xe6\x9c\xac",
                                    .descriptor = "C:\\Users\\J\xc3\xb6rg\\ext\\u@test.xpi"}});
    const TFireFoxExtensions firefox;
    const TBrowserExtensionInfo* record = FindRecord(firefox, L"u@test");
    ASSERT_NE(record, nullptr);
    EXPECT_EQ(record->Name, L"Caf\u00e9 \u20ac \U0001D11E");
    EXPECT_EQ(record->Description, L"\u00dcbersetzer \u65e5\u672c");
    EXPECT_EQ(record->FilePath, L"C:\\Users\\J\u00f6rg\\ext\\u@test.xpi");
}

TEST_F(FirefoxDatabaseRead, AddonsJsonTextsWinForTheIdsItListsFirstMatchExactly) {
    WriteLegacyDatabase(database, {{.id = "cached@test", .name = "Row name", .description = "Row text"},
                                   {.id = "twice@test", .name = "Row", .description = "Row"},
                                   {.id = "Case@test", .name = "Row case", .description = "Row case text"},
                                   {.id = "uncached@test", .name = "Own name", .description = "Own text"}});
    WriteBytes(profile + L"addons.json", R"({"schemaVersion":1,"addons":[
        {"id":"cached@test","name":"Cached name","description":""},
        {"id":"twice@test","name":"First"},
        {"id":"twice@test","name":"Second","description":"Second text"},
        {"id":"case@test","name":"Wrong case"}]})");
    const TFireFoxExtensions firefox;
    EXPECT_EQ(FindRecord(firefox, L"cached@test")->Name, L"Cached name");
    EXPECT_EQ(FindRecord(firefox, L"cached@test")->Description, L"");
    EXPECT_EQ(FindRecord(firefox, L"twice@test")->Name, L"First");
    EXPECT_EQ(FindRecord(firefox, L"twice@test")->Description, L"");
    EXPECT_EQ(FindRecord(firefox, L"Case@test")->Name, L"Row case");
    EXPECT_EQ(FindRecord(firefox, L"uncached@test")->Description, L"Own text");
}

TEST_F(FirefoxDatabaseRead, AnInvalidAddonsJsonLeavesTheDatabaseTexts) {
    WriteLegacyDatabase(database, {{.id = "a@test", .name = "Row name"}});
    WriteBytes(profile + L"addons.json", R"({"addons":[{"id":"a@test","name":"Cached")");
    const TFireFoxExtensions firefox;
    EXPECT_FALSE(firefox.AddonsDocument);
    EXPECT_EQ(FindRecord(firefox, L"a@test")->Name, L"Row name");
}

}  // namespace
