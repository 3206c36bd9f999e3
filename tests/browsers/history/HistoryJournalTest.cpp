// The journal on real files: a Chrome profile in the sandbox, a journal in a
// scratch folder, the changes made through the journal and undone again.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "app/LanguageLookup.h"
#include "browsers/chromium/ChromeExtensions.h"
#include "browsers/chromium/ChromiumPreferences.h"
#include "browsers/history/HistoryJournal.h"
#include "browsers/history/HistoryUndo.h"
#include "browsers/history/JournaledChanges.h"
#include "json/JsonDocument.h"
#include "json/JsonWriter.h"
#include "platform/BrivoError.h"
#include "platform/Utf.h"
#include "support/BrowserSandbox.h"
#include "support/TestFiles.h"

namespace {

const std::wstring kTabs = L"aaaabbbbccccddddeeeeffffgggghhhh";
const std::wstring kDark = L"bbbbccccddddeeeeffffgggghhhhiiii";

const char kPrefs[] =
    "{ \"extensions\": { \"settings\": {\n"
    "   \"aaaabbbbccccddddeeeeffffgggghhhh\": { \"state\": 1, \"path\": \"aaaabbbbccccddddeeeeffffgggghhhh\\\\2.0_0\",\n"
    "      \"manifest\": { \"name\": \"Tab Saver\", \"version\": \"2.0\", \"list\": [1, 2.5, null] } },\n"
    "   \"bbbbccccddddeeeeffffgggghhhhiiii\": { \"state\": 0, \"path\": \"bbbbccccddddeeeeffffgggghhhhiiii\\\\1.0_0\",\n"
    "      \"manifest\": { \"name\": \"Dark Reader\", \"version\": \"1.0\" } } },\n"
    "   \"known_disabled\": [ \"bbbbccccddddeeeeffffgggghhhhiiii\" ] },\n"
    "  \"homepage\": \"https://example.com/\" }\n";

// The entry as the file holds it now, in the written form; empty when missing.
std::string EntryText(const std::wstring& prefsPath, const std::wstring& id) {
    const std::optional<JsonDocument> prefs = JsonDocument::LoadFile(prefsPath);
    if (!prefs) return "(unreadable)";
    const JsonValue* entry = Member(ExtensionSettings(*prefs), ToUtf8(id));
    std::string text;
    if (entry) AppendJsonValue(text, *entry);
    return text;
}

class HistoryJournal : public ::testing::Test {
protected:
    void SetUp() override {
        profile = sandbox.MakeChrome(kPrefs);
        prefsPath = profile + L"Preferences";
        files = {{L"2.0_0\\manifest.json", "{\"name\":\"Tab Saver\"}"},
                 {L"2.0_0\\icons\\16.png", std::string("\x89PNG\r\n\x1a\n\0\0\xff", 11)},
                 {L"1.0_0\\manifest.json", "{}"}};
        for (const auto& [name, bytes] : files) {
            const std::wstring path = ExtensionFolder(kTabs) + L"\\" + name;
            MakeFolders(path.substr(0, path.find_last_of(L'\\')));
            WriteBytes(path, bytes);
        }
        MakeFolders(ExtensionFolder(kDark) + L"\\1.0_0");
        WriteBytes(ExtensionFolder(kDark) + L"\\1.0_0\\manifest.json", "{}");
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        journalFolder = std::wstring(temp) + UniqueName(L"history") + L"\\History";
    }
    void TearDown() override { RemoveTree(journalFolder.substr(0, journalFolder.size() - 8)); }

    std::wstring ExtensionFolder(const std::wstring& id) const { return profile + L"Extensions\\" + id; }
    void ExpectFilesBack() const {
        for (const auto& [name, bytes] : files)
            EXPECT_EQ(ReadBytes(ExtensionFolder(kTabs) + L"\\" + name), bytes) << ToUtf8(name);
    }
    static TBrowserExtensionInfo* Find(const TBrowserAppBase& adapter, const std::wstring& id) {
        for (const auto& record : adapter.Extensions)
            if (record->Id == id) return record.get();
        return nullptr;
    }
    static BrowserList Browsers() {
        BrowserList list;
        list.push_back(std::make_unique<TChromeExtensions>());
        return list;
    }
    // The reason's text as the user reads it (the built-in English copy when
    // the test program carries it).
    static std::string Note(const wchar_t* key) {
        const std::wstring english = Translate(L"Messages", key, L"");
        return english.empty() ? std::string("(no text)") : ToUtf8(english);
    }

    BrowserSandbox sandbox;
    std::wstring profile;
    std::wstring prefsPath;
    std::wstring journalFolder;
    std::vector<std::pair<std::wstring, std::string>> files;
};

TEST_F(HistoryJournal, ARemovalMovesTheFolderAsideAndItsUndoPutsFolderAndEntryBack) {
    const std::string entry = EntryText(prefsPath, kTabs);
    ASSERT_FALSE(entry.empty());
    THistoryJournal journal(journalFolder);
    {
        TChromeExtensions chrome;
        ASSERT_TRUE(JournaledRemove(journal, chrome, Find(chrome, kTabs)));
        EXPECT_FALSE(Find(chrome, kTabs));
    }
    EXPECT_FALSE(PathExists(ExtensionFolder(kTabs)));
    EXPECT_EQ(EntryText(prefsPath, kTabs), "");
    std::vector<THistoryEntry> entries = journal.List();
    ASSERT_EQ(entries.size(), 1u);
    ASSERT_TRUE(entries[0].record);
    const THistoryRecord& record = *entries[0].record;
    EXPECT_EQ(record.action, HistoryAction::Remove);
    EXPECT_EQ(record.browser, "chrome");
    EXPECT_EQ(record.addonId, ToUtf8(kTabs));
    EXPECT_EQ(record.addonName, "Tab Saver");
    EXPECT_EQ(record.entry, entry);
    ASSERT_EQ(record.savedPaths.size(), 1u);
    EXPECT_EQ(ToWide(record.savedPaths[0].original), ExtensionFolder(kTabs));
    EXPECT_EQ(ReadBytes(journal.SavedLocation(entries[0], record.savedPaths[0]) + L"\\2.0_0\\manifest.json"),
              files[0].second)
        << "kept in the journal";

    const BrowserList browsers = Browsers();
    const TUndoResult undone = UndoHistoryEntry(journal, entries[0], browsers);
    ASSERT_EQ(undone.outcome, UndoOutcome::Done) << undone.note;
    ExpectFilesBack();
    EXPECT_EQ(EntryText(prefsPath, kTabs), entry);
    EXPECT_EQ(EntryText(prefsPath, kDark).empty(), false) << "the other entry stays";
    EXPECT_TRUE(Find(TChromeExtensions(), kTabs)) << "listed again";

    entries = journal.List();
    ASSERT_TRUE(entries[0].record);
    EXPECT_FALSE(entries[0].record->undone.empty()) << "marked undone in the file";
    const TUndoResult twice = UndoHistoryEntry(journal, entries[0], Browsers());
    EXPECT_EQ(twice.outcome, UndoOutcome::Impossible);
    EXPECT_EQ(twice.note, Note(L"UndoTwice"));
    ExpectFilesBack();
}

TEST_F(HistoryJournal, AnUndoThatCanNoLongerBeDoneChangesNothing) {
    THistoryJournal journal(journalFolder);
    {
        TChromeExtensions chrome;
        ASSERT_TRUE(JournaledRemove(journal, chrome, Find(chrome, kTabs)));
    }
    std::vector<THistoryEntry> entries = journal.List();
    ASSERT_EQ(entries.size(), 1u);
    const std::wstring kept = journal.SavedLocation(entries[0], entries[0].record->savedPaths[0]);

    // Installed again: a folder of that id.
    MakeFolders(ExtensionFolder(kTabs));
    WriteBytes(ExtensionFolder(kTabs) + L"\\new.txt", "new");
    const std::string prefs = ReadBytes(prefsPath);
    TUndoResult result = UndoHistoryEntry(journal, entries[0], Browsers());
    EXPECT_EQ(result.outcome, UndoOutcome::Impossible);
    EXPECT_EQ(result.note, Note(L"UndoInstalledAgain"));
    EXPECT_EQ(ReadBytes(ExtensionFolder(kTabs) + L"\\new.txt"), "new");
    EXPECT_FALSE(PathExists(ExtensionFolder(kTabs) + L"\\2.0_0"));
    EXPECT_EQ(ReadBytes(prefsPath), prefs);
    EXPECT_TRUE(PathExists(kept)) << "still kept";
    RemoveTree(ExtensionFolder(kTabs));

    // Installed again with a settings entry only.
    WriteBytes(prefsPath, kPrefs);
    result = UndoHistoryEntry(journal, entries[0], Browsers());
    EXPECT_EQ(result.note, Note(L"UndoInstalledAgain"));
    EXPECT_FALSE(PathExists(ExtensionFolder(kTabs)));
    WriteBytes(prefsPath, prefs);

    // What the journal kept has gone: the record is damaged.
    MoveFileW(kept.c_str(), (kept + L"-gone").c_str());
    result = UndoHistoryEntry(journal, entries[0], Browsers());
    EXPECT_EQ(result.note, Note(L"UndoDamaged"));
    EXPECT_FALSE(PathExists(ExtensionFolder(kTabs)));
    EXPECT_EQ(ReadBytes(prefsPath), prefs);
    MoveFileW((kept + L"-gone").c_str(), kept.c_str());

    // A settings file that cannot be read: nothing is moved back.
    WriteBytes(prefsPath, "{ not json");
    result = UndoHistoryEntry(journal, entries[0], Browsers());
    EXPECT_EQ(result.note, Note(L"UndoNoSettings"));
    EXPECT_FALSE(PathExists(ExtensionFolder(kTabs)));
    EXPECT_TRUE(PathExists(kept));
    WriteBytes(prefsPath, prefs);

    EXPECT_TRUE(journal.List()[0].record->undone.empty()) << "not marked undone";
    result = UndoHistoryEntry(journal, entries[0], Browsers());
    EXPECT_EQ(result.outcome, UndoOutcome::Done) << result.note;
    ExpectFilesBack();
}

TEST_F(HistoryJournal, WithoutAJournalNothingChanges) {
    THistoryJournal none{std::wstring()};
    TChromeExtensions chrome;
    TBrowserExtensionInfo* tabs = Find(chrome, kTabs);
    EXPECT_THROW(JournaledRemove(none, chrome, tabs), BrivoError);
    EXPECT_THROW(JournaledToggle(none, chrome, tabs), BrivoError);
    EXPECT_FALSE(tabs->Disabled);
    EXPECT_EQ(ReadBytes(prefsPath), kPrefs) << "not even rewritten";
    ExpectFilesBack();
    // A folder that takes no files is no journal either.
    MakeFolders(journalFolder.substr(0, journalFolder.size() - 8));
    WriteBytes(journalFolder, "a file, not a folder");
    THistoryJournal blocked(journalFolder);
    EXPECT_THROW(JournaledRemove(blocked, chrome, tabs), BrivoError);
    EXPECT_EQ(ReadBytes(prefsPath), kPrefs);
    ExpectFilesBack();
}

TEST_F(HistoryJournal, ASwitchIsUndoneThroughTheAdapterOnce) {
    THistoryJournal journal(journalFolder);
    {
        TChromeExtensions chrome;
        EXPECT_TRUE(JournaledToggle(journal, chrome, Find(chrome, kTabs)));
        EXPECT_FALSE(JournaledToggle(journal, chrome, Find(chrome, kDark)));
    }
    std::vector<THistoryEntry> entries = journal.List();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].record->addonId, ToUtf8(kDark)) << "newest first";
    EXPECT_TRUE(entries[0].record->disabledBefore);
    EXPECT_FALSE(entries[1].record->disabledBefore);

    TUndoResult result = UndoHistoryEntry(journal, entries[1], Browsers());
    ASSERT_EQ(result.outcome, UndoOutcome::Done) << result.note;
    EXPECT_FALSE(Find(TChromeExtensions(), kTabs)->Disabled);
    EXPECT_FALSE(Find(TChromeExtensions(), kDark)->Disabled) << "the other switch stands";

    // Switched back by hand since: nothing left to undo.
    {
        TChromeExtensions chrome;
        chrome.ToggleExtension(Find(chrome, kDark));
    }
    result = UndoHistoryEntry(journal, entries[0], Browsers());
    EXPECT_EQ(result.note, Note(L"UndoSameState"));
    EXPECT_TRUE(Find(TChromeExtensions(), kDark)->Disabled);
}

TEST_F(HistoryJournal, OldRecordsGoFirstAndDamagedOnesAreListedWithoutARecord) {
    THistoryJournal journal(journalFolder);
    THistoryRecord record;
    record.time = "2026-12-11T12:00:00Z";
    record.action = HistoryAction::Remove;
    record.browser = "chrome";
    std::vector<THistoryEntry> added;
    for (int i = 0; i < 5; ++i) {
        record.addonId = "addon" + std::to_string(i);
        added.push_back(journal.Add(record));
        const std::wstring file = journalFolder + L"\\..\\kept" + std::to_wstring(i) + L".bin";
        WriteBytes(file, std::string(1000, 'x'));
        ASSERT_TRUE(journal.SetAside(added.back(), file));
        Sleep(2);  // names sort by time
    }
    WriteBytes(journalFolder + L"\\99999999-999999-999.json", "{\"time\":");
    WriteBytes(journalFolder + L"\\99999999-999999-999.json~", "not listed");
    std::vector<THistoryEntry> entries = journal.List();
    ASSERT_EQ(entries.size(), 6u);
    EXPECT_FALSE(entries[0].record) << "the damaged one, listed";
    EXPECT_EQ(entries[1].record->addonId, "addon4");
    EXPECT_EQ(UndoHistoryEntry(journal, entries[0], Browsers()).note, Note(L"UndoUnreadable"));
    RemoveTree(entries[0].file);

    journal.Prune({3, 1ull << 30});
    entries = journal.List();
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[2].record->addonId, "addon2");
    EXPECT_FALSE(PathExists(added[0].folder)) << "saved files go with their record";
    EXPECT_FALSE(PathExists(added[1].file));
    EXPECT_TRUE(PathExists(added[2].folder));

    journal.Prune({200, 1500});
    entries = journal.List();
    ASSERT_EQ(entries.size(), 1u) << "the size limit, the newest kept";
    EXPECT_EQ(entries[0].record->addonId, "addon4");
}

}  // namespace
