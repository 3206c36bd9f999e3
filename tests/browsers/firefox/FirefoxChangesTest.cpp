// Switching Firefox add-ons off and on, removing them, and the running browser.
#include <gtest/gtest.h>

#include "FirefoxTestFiles.h"
#include "support/ReadOnlyRegistryKey.h"
#include "support/StandInProcess.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "platform/BrivoError.h"
#include "platform/Utf.h"

namespace {

class FirefoxJsonChanges : public ::testing::Test {
protected:
    FirefoxSandbox sandbox;
    std::wstring profile = sandbox.MakeProfile();
    std::wstring prefs = profile + L"extensions.json";
};

TEST_F(FirefoxJsonChanges, SwitchingWritesUserDisabledAndActiveInTheCompactForm) {
    WriteBytes(prefs, "{\n  \"schemaVersion\": 16,\n  \"addons\": [\n"
                      "    {\"id\": \"a@test\", \"name\": \"A/B\", \"active\": true, \"size\": 1.5},\n"
                      "    {\"id\": \"b@test\", \"userDisabled\": false}\n  ]\n}\n");
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* a = FindRecord(firefox, L"a@test");
    ASSERT_NE(a, nullptr);
    EXPECT_TRUE(firefox.ToggleExtension(a));
    EXPECT_TRUE(a->Disabled);
    EXPECT_EQ(ReadBytes(prefs),
              R"({"schemaVersion":16,"addons":[{"id":"a@test","name":"A\/B","active":false,"size":1.5,"userDisabled":true},)"
              R"({"id":"b@test","userDisabled":false}]})");
    EXPECT_FALSE(firefox.ToggleExtension(a));
    EXPECT_FALSE(a->Disabled);
    EXPECT_EQ(ReadBytes(prefs),
              R"({"schemaVersion":16,"addons":[{"id":"a@test","name":"A\/B","active":true,"size":1.5,"userDisabled":false},)"
              R"({"id":"b@test","userDisabled":false}]})");
}

TEST_F(FirefoxJsonChanges, SwitchingOnABrowserDisabledAddonLeavesAppDisabledAlone) {
    WriteBytes(prefs, R"({"addons":[{"id":"app@test","appDisabled":true,"userDisabled":false,"active":false}]})");
    {
        TFireFoxExtensions firefox;
        TBrowserExtensionInfo* app = FindRecord(firefox, L"app@test");
        ASSERT_TRUE(app->Disabled);
        firefox.ToggleExtension(app);
        EXPECT_FALSE(app->Disabled);
        EXPECT_EQ(ReadBytes(prefs), R"({"addons":[{"id":"app@test","appDisabled":true,"userDisabled":false,"active":true}]})");
    }
    // The next start reads it as switched off again.
    const TFireFoxExtensions again;
    EXPECT_TRUE(FindRecord(again, L"app@test")->Disabled);
}

TEST_F(FirefoxJsonChanges, OfTwoElementsWithTheSameIdOnlyTheFirstIsChangedOrRemoved) {
    WriteBytes(prefs, R"({"addons":[{"id":"dup","name":"first"},{"id":"dup","name":"second"},{"id":"other"}]})");
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* second = nullptr;
    for (int i = 0; i < firefox.GetExtensionCount(); ++i)
        if (firefox.GetExtension(i)->Name == L"second") second = firefox.GetExtension(i);
    ASSERT_NE(second, nullptr);
    firefox.ToggleExtension(second);
    EXPECT_EQ(ReadBytes(prefs),
              R"({"addons":[{"id":"dup","name":"first","userDisabled":true,"active":false},{"id":"dup","name":"second"},)"
              R"({"id":"other"}]})");
    firefox.RemoveExtension(second);
    EXPECT_EQ(ReadBytes(prefs), R"({"addons":[{"id":"dup","name":"second"},{"id":"other"}]})");
    EXPECT_EQ(firefox.GetExtensionCount(), 3);  // first "dup", "other" and the plug-in
}

TEST_F(FirefoxJsonChanges, SwitchingAnAddonWithoutElementFlipsOnlyTheRecord) {
    WriteBytes(prefs, R"({"addons":[{"id":"gone@test"},{"id":"kept@test"}]})");
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* gone = FindRecord(firefox, L"gone@test");
    // The element went from the document (as after an earlier removal of a twin).
    firefox.PrefsDocument->DeleteElement(*GetArray(&firefox.PrefsDocument->Root(), "addons"), 0);
    const std::string before = ReadBytes(prefs);
    firefox.ToggleExtension(gone);
    EXPECT_TRUE(gone->Disabled);
    EXPECT_EQ(ReadBytes(prefs), before);
}

TEST_F(FirefoxJsonChanges, RemovalDeletesTheAddonsFileOrFolderAndItsElement) {
    const std::wstring xpi = profile + L"extensions\\file@test.xpi";
    const std::wstring folder = profile + L"extensions\\folder@test";
    MakeFolders(folder + L"\\chrome");
    WriteBytes(xpi, "PK\x03\x04");
    WriteBytes(folder + L"\\chrome\\content.js", "// add-on code");
    WriteBytes(prefs, "{\"addons\":[{\"id\":\"file@test\",\"descriptor\":" + JsonLiteral(xpi) +
                          "},{\"id\":\"folder@test\",\"descriptor\":" + JsonLiteral(folder) +
                          "},{\"id\":\"missing@test\",\"descriptor\":" + JsonLiteral(profile + L"nowhere.xpi") + "}]}");
    TFireFoxExtensions firefox;
    ASSERT_EQ(firefox.GetExtensionCount(), 4);
    firefox.RemoveExtension(FindRecord(firefox, L"file@test"));
    EXPECT_FALSE(PathExists(xpi));
    EXPECT_EQ(FindRecord(firefox, L"file@test"), nullptr);
    firefox.RemoveExtension(FindRecord(firefox, L"folder@test"));
    EXPECT_FALSE(PathExists(folder));
    EXPECT_TRUE(PathExists(profile + L"extensions"));
    // Nothing on disk: the element goes all the same.
    firefox.RemoveExtension(FindRecord(firefox, L"missing@test"));
    EXPECT_EQ(ReadBytes(prefs), R"({"addons":[]})");
    EXPECT_EQ(RecordIds(firefox), std::vector<std::wstring>{sandbox.PluginId()});
}

TEST_F(FirefoxJsonChanges, ALockedAddonFileStaysButItsElementGoes) {
    const std::wstring xpi = profile + L"locked@test.xpi";
    WriteBytes(xpi, "PK");
    WriteBytes(prefs, "{\"addons\":[{\"id\":\"locked@test\",\"descriptor\":" + JsonLiteral(xpi) + "}]}");
    TFireFoxExtensions firefox;
    {
        const LockedFile lock(xpi);
        ASSERT_TRUE(lock.Locked());
        firefox.RemoveExtension(FindRecord(firefox, L"locked@test"));
    }
    EXPECT_TRUE(PathExists(xpi));
    EXPECT_EQ(ReadBytes(prefs), R"({"addons":[]})");
    EXPECT_EQ(FindRecord(firefox, L"locked@test"), nullptr);
}

TEST_F(FirefoxJsonChanges, ARelativeOrEmptyDescriptorIsNeverHandedToTheShell) {
    // A relative path would be taken from the program's current folder.
    wchar_t current[MAX_PATH] = {};
    GetCurrentDirectoryW(MAX_PATH, current);
    const std::wstring name = L"brivo-firefox-relative-" + std::to_wstring(GetCurrentProcessId()) + L".xpi";
    const std::wstring bystander = std::wstring(current) + L"\\" + name;
    WriteBytes(bystander, "not an add-on of this profile");
    WriteBytes(prefs, "{\"addons\":[{\"id\":\"rel@test\",\"descriptor\":" + JsonLiteral(name) +
                          "},{\"id\":\"empty@test\",\"descriptor\":\"\"}]}");
    TFireFoxExtensions firefox;
    firefox.RemoveExtension(FindRecord(firefox, L"rel@test"));
    firefox.RemoveExtension(FindRecord(firefox, L"empty@test"));
    EXPECT_TRUE(PathExists(bystander));
    DeleteFileW(bystander.c_str());
    EXPECT_EQ(ReadBytes(prefs), R"({"addons":[]})");
    EXPECT_EQ(firefox.GetExtensionCount(), 1);
}

TEST_F(FirefoxJsonChanges, AFileThatCannotBeWrittenRaisesAndTheRecordKeepsItsChange) {
    WriteBytes(prefs, R"({"addons":[{"id":"ro@test"}]})");
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* record = FindRecord(firefox, L"ro@test");
    SetFileAttributesW(prefs.c_str(), FILE_ATTRIBUTE_READONLY);
    EXPECT_THROW(firefox.ToggleExtension(record), BrivoError);
    EXPECT_TRUE(record->Disabled);
    EXPECT_TRUE(GetBoolean(ArrayElement(GetArray(&firefox.PrefsDocument->Root(), "addons"), 0), "userDisabled"));
    // Removal raises too, and the record stays listed.
    EXPECT_THROW(firefox.RemoveExtension(record), BrivoError);
    EXPECT_EQ(FindRecord(firefox, L"ro@test"), record);
    SetFileAttributesW(prefs.c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(ReadBytes(prefs), R"({"addons":[{"id":"ro@test"}]})");
}

TEST_F(FirefoxJsonChanges, PluginsAreRemovedFromTheRegistryOnlyAndNeverSwitched) {
    WriteBytes(prefs, R"({"addons":[{"id":"a@test"}]})");
    WriteBytes(profile + L"addons.json", R"({"addons":[]})");
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* plugin = FindRecord(firefox, sandbox.PluginId());
    ASSERT_NE(plugin, nullptr);
    const std::string before = ReadBytes(prefs);
    firefox.ToggleExtension(plugin);
    EXPECT_EQ(ReadBytes(prefs), before);
    ASSERT_TRUE(RawKeyExists(HKEY_CURRENT_USER, sandbox.PluginKey(), KEY_WOW64_64KEY));
    {
        const ReadOnlyRegistryKey guarded(HKEY_CURRENT_USER, sandbox.PluginKey());
        ASSERT_TRUE(guarded.Applied());
        EXPECT_FALSE(firefox.RemoveExtension(plugin));
        EXPECT_EQ(FindRecord(firefox, sandbox.PluginId()), plugin) << "a plug-in whose key stays stays listed";
    }
    EXPECT_TRUE(firefox.RemoveExtension(plugin));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, sandbox.PluginKey(), KEY_WOW64_64KEY));
    EXPECT_EQ(FindRecord(firefox, sandbox.PluginId()), nullptr);
    EXPECT_EQ(ReadBytes(prefs), before);
    EXPECT_EQ(ReadBytes(profile + L"addons.json"), R"({"addons":[]})");
}

TEST_F(FirefoxJsonChanges, ARecordOfAnotherListIsNeverTouched) {
    WriteBytes(prefs, R"({"addons":[{"id":"a@test"}]})");
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo stranger;
    stranger.Id = L"a@test";
    stranger.Kind = AddonKind::Extension;
    const std::string before = ReadBytes(prefs);
    EXPECT_FALSE(firefox.ToggleExtension(&stranger));
    EXPECT_FALSE(stranger.Disabled);
    firefox.RemoveExtension(&stranger);
    EXPECT_EQ(ReadBytes(prefs), before);
    EXPECT_EQ(firefox.GetExtensionCount(), 2);
    EXPECT_FALSE(firefox.ToggleExtension(nullptr));
    firefox.RemoveExtension(nullptr);
}

class FirefoxDatabaseChanges : public ::testing::Test {
protected:
    void SetUp() override {
        WriteLegacyDatabase(database, {{.id = "{abc}", .name = "ABC", .descriptor = ToUtf8(profile + L"abc.xpi")},
                                       {.id = "quote\"inside@test", .name = "Quote"},
                                       {.id = "\" or \"1\"=\"1", .name = "Injection"},
                                       {.id = "other@test", .active = "0", .userDisabled = "1", .name = "Other"}});
        WriteBytes(addonsJson, R"({"addons":[{"id":"{abc}","name":"Cached ABC"}]})");
    }
    std::vector<std::string> Flags() const {
        return QueryRows(database, "select id, active, userDisabled from addon order by internal_id");
    }

    FirefoxSandbox sandbox;
    std::wstring profile = sandbox.MakeProfile();
    std::wstring database = profile + L"extensions.sqlite";
    std::wstring addonsJson = profile + L"addons.json";
};

TEST_F(FirefoxDatabaseChanges, SwitchingUpdatesTheActiveAndUserDisabledFlagsOfThatAddonOnly) {
    TFireFoxExtensions firefox;
    ASSERT_FALSE(firefox.PrefsDocument);
    TBrowserExtensionInfo* abc = FindRecord(firefox, L"{abc}");
    ASSERT_NE(abc, nullptr);
    EXPECT_EQ(abc->Name, L"Cached ABC");
    EXPECT_TRUE(firefox.ToggleExtension(abc));
    EXPECT_EQ(Flags(), (std::vector<std::string>{"{abc}|0|1", "quote\"inside@test|1|0", "\" or \"1\"=\"1|1|0",
                                                  "other@test|0|1"}));
    EXPECT_FALSE(firefox.ToggleExtension(abc));
    EXPECT_EQ(Flags()[0], "{abc}|1|0");
    EXPECT_EQ(ReadBytes(addonsJson), R"({"addons":[{"id":"{abc}","name":"Cached ABC"}]})");
    EXPECT_FALSE(PathExists(profile + L"extensions.json"));
}

TEST_F(FirefoxDatabaseChanges, IdsWithDoubleQuotesChangeTheirOwnRowsAndNoOthers) {
    TFireFoxExtensions firefox;
    firefox.ToggleExtension(FindRecord(firefox, L"quote\"inside@test"));
    firefox.ToggleExtension(FindRecord(firefox, L"\" or \"1\"=\"1"));
    EXPECT_EQ(Flags(), (std::vector<std::string>{"{abc}|1|0", "quote\"inside@test|0|1", "\" or \"1\"=\"1|0|1",
                                                  "other@test|0|1"}));
    firefox.ToggleExtension(FindRecord(firefox, L"other@test"));
    EXPECT_EQ(Flags()[3], "other@test|1|0");
    EXPECT_EQ(Flags()[1], "quote\"inside@test|0|1");

    firefox.RemoveExtension(FindRecord(firefox, L"\" or \"1\"=\"1"));
    EXPECT_EQ(QueryRows(database, "select id from addon order by internal_id"),
              (std::vector<std::string>{"{abc}", "quote\"inside@test", "other@test"}));
    EXPECT_EQ(QueryRows(database, "select id from locale order by rowid"),
              (std::vector<std::string>{"1", "2", "4"}));
}

TEST_F(FirefoxDatabaseChanges, RemovalDeletesTheFileThenTheAddonRowThenItsLocaleRows) {
    WriteBytes(profile + L"abc.xpi", "PK");
    TFireFoxExtensions firefox;
    // A second locale row of the add-on, made after reading so that the list
    // holds the add-on once (the join yields one record per locale row).
    RunSql(database, "insert into locale (id, name) values (1, 'ABC second locale');");
    firefox.RemoveExtension(FindRecord(firefox, L"{abc}"));
    EXPECT_FALSE(PathExists(profile + L"abc.xpi"));
    EXPECT_EQ(FindRecord(firefox, L"{abc}"), nullptr);
    EXPECT_EQ(QueryRows(database, "select id from addon order by internal_id"),
              (std::vector<std::string>{"quote\"inside@test", "\" or \"1\"=\"1", "other@test"}));
    EXPECT_EQ(QueryRows(database, "select id from locale order by rowid"), (std::vector<std::string>{"2", "3", "4"}));
    EXPECT_EQ(ReadBytes(addonsJson), R"({"addons":[{"id":"{abc}","name":"Cached ABC"}]})");
}

TEST_F(FirefoxDatabaseChanges, AnAddonNoLongerInTheDatabaseRaisesAndStaysListed) {
    WriteBytes(profile + L"abc.xpi", "PK");
    TFireFoxExtensions firefox;
    RunSql(database, "delete from addon where internal_id=1;");
    TBrowserExtensionInfo* abc = FindRecord(firefox, L"{abc}");
    try {
        firefox.RemoveExtension(abc);
        ADD_FAILURE() << "no error raised";
    } catch (const BrivoError& error) {
        EXPECT_STREQ(error.what(), "Table is at End of File");
    }
    EXPECT_EQ(FindRecord(firefox, L"{abc}"), abc);
    EXPECT_FALSE(PathExists(profile + L"abc.xpi"));  // the file went first
    EXPECT_EQ(QueryRows(database, "select count(*) from locale"), std::vector<std::string>{"4"});
}

TEST_F(FirefoxDatabaseChanges, ADatabaseThatCannotBeOpenedRaisesItsNameAndMessage) {
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* abc = FindRecord(firefox, L"{abc}");
    ASSERT_TRUE(DeleteFileW(database.c_str()));
    try {
        firefox.ToggleExtension(abc);
        ADD_FAILURE() << "no error raised";
    } catch (const BrivoError& error) {
        const std::string prefix = "Failed to open database \"" + ToUtf8(database) + "\" : ";
        EXPECT_EQ(std::string(error.what()).substr(0, prefix.size()), prefix) << error.what();
        EXPECT_GT(std::string(error.what()).size(), prefix.size());
    }
    EXPECT_FALSE(abc->Disabled) << "the record stays as it was";
    EXPECT_FALSE(PathExists(database));  // and not created
    EXPECT_THROW(firefox.RemoveExtension(abc), BrivoError);
    EXPECT_EQ(FindRecord(firefox, L"{abc}"), abc);
}

TEST_F(FirefoxDatabaseChanges, AFailingUpdateOrRemovalIsRaisedAndTheRecordStaysAsItWas) {
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* abc = FindRecord(firefox, L"{abc}");
    RunSql(database, "drop table addon;");
    try {
        firefox.ToggleExtension(abc);
        ADD_FAILURE() << "no error raised";
    } catch (const BrivoError& error) {
        EXPECT_NE(std::string(error.what()).find("no such table: addon"), std::string::npos) << error.what();
    }
    EXPECT_FALSE(abc->Disabled);
    try {
        firefox.RemoveExtension(abc);
        ADD_FAILURE() << "no error raised";
    } catch (const BrivoError& error) {
        EXPECT_EQ(std::string(error.what()),
                  "Could not prepare SQL statement.\rError [1]: SQL logic error.\r"
                  "\"select internal_id from addon where id=?\": no such table: addon");
    }
    EXPECT_EQ(FindRecord(firefox, L"{abc}"), abc);
}

TEST_F(FirefoxDatabaseChanges, ALockedDatabaseRaisesTheUpdateAndTheRemoval) {
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* abc = FindRecord(firefox, L"{abc}");
    {
        const SqliteWriter writer(database);  // another connection in the middle of a write
        try {
            firefox.ToggleExtension(abc);
            ADD_FAILURE() << "no error raised";
        } catch (const BrivoError& error) {
            EXPECT_NE(std::string(error.what()).find("database is locked"), std::string::npos) << error.what();
        }
        EXPECT_FALSE(abc->Disabled) << "the record stays as it was";
        try {
            firefox.RemoveExtension(abc);
            ADD_FAILURE() << "no error raised";
        } catch (const BrivoError& error) {
            EXPECT_NE(std::string(error.what()).find("database is locked"), std::string::npos) << error.what();
        }
    }
    EXPECT_EQ(Flags()[0], "{abc}|1|0");
    EXPECT_EQ(FindRecord(firefox, L"{abc}"), abc);
}

TEST(FirefoxProcess, OnlyAProcessNamedExactlyFirefoxExeCountsAndIsEnded) {
    const FirefoxSandbox sandbox;
    const std::wstring lower = sandbox.Folder() + L"lower\\";
    const std::wstring upper = sandbox.Folder() + L"upper\\";
    MakeFolders(lower);
    MakeFolders(upper);
    TFireFoxExtensions firefox;
    EXPECT_FALSE(firefox.IsBrowserRunning());
    {
        HelperProcess other(upper, L"Firefox.exe");
        EXPECT_FALSE(firefox.IsBrowserRunning());
        HelperProcess browser(lower, L"firefox.exe");
        EXPECT_TRUE(firefox.IsBrowserRunning());
        firefox.CloseBrowser();
        EXPECT_TRUE(browser.EndsWithin(5000));
        EXPECT_FALSE(other.EndsWithin(200));
        EXPECT_FALSE(firefox.IsBrowserRunning());
    }
}

}  // namespace
