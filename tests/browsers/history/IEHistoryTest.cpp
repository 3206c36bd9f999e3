// Internet Explorer's registrations through the change history: a helper
// object registered in both views removed and put back key by key.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>

#include "browsers/history/HistoryJournal.h"
#include "browsers/history/HistoryUndo.h"
#include "browsers/history/JournaledChanges.h"
#include "browsers/ie/IEExtensions.h"
#include "support/IERegistry.h"
#include "support/TestFiles.h"

namespace {

class IEHistory : public IERegistryTest {
protected:
    void SetUp() override {
        IERegistryTest::SetUp();
        wchar_t temp[MAX_PATH];
        GetTempPathW(MAX_PATH, temp);
        folder = std::wstring(temp) + UniqueName(L"iehistory");
    }
    void TearDown() override {
        RemoveTree(folder);
        IERegistryTest::TearDown();
    }

    static TBrowserExtensionInfo* InView(const TBrowserAppBase& adapter, const std::wstring& id, int native) {
        for (int i = 0; i < adapter.GetExtensionCount(); ++i) {
            TBrowserExtensionInfo* record = adapter.GetExtension(i);
            if (record->Id == id && record->NativeView == native) return record;
        }
        return nullptr;
    }
    static BrowserList Browsers() {
        BrowserList list;
        list.push_back(std::make_unique<TIEExtensions>());
        return list;
    }

    std::wstring folder;
};

TEST_F(IEHistory, AHelperInBothViewsComesBackWithEveryKeyAndValue) {
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, true, L"Brivo History Helper", L"");
    const std::wstring key = kBho + clsid;
    for (const REGSAM view : {k64, k32}) {
        RegisterBho(clsid, view);
        registry.SetString(HKEY_LOCAL_MACHINE, key, view, L"", view == k64 ? L"native" : L"wow");
        registry.SetNumber(HKEY_LOCAL_MACHINE, key, view, L"NoExplorer", view == k64 ? 1 : 2);
        registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\Sub\\Deeper", view, L"Name", L"deep");
    }
    THistoryJournal journal(folder + L"\\History");
    {
        TIEExtensions ie;
        ASSERT_TRUE(JournaledRemove(journal, ie, InView(ie, clsid, 0)));
        ASSERT_TRUE(JournaledRemove(journal, ie, InView(ie, clsid, 1)));
    }
    for (const REGSAM view : {k64, k32}) EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, key, view));
    std::vector<THistoryEntry> entries = journal.List();
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0].record->view, 64);
    EXPECT_EQ(entries[1].record->view, 32);

    // The native one first, then the 32-bit one; each brings back its own view only.
    TUndoResult result = UndoHistoryEntry(journal, entries[0], Browsers());
    ASSERT_EQ(result.outcome, UndoOutcome::Done) << result.note;
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, key, k64));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, key, k32));
    result = UndoHistoryEntry(journal, entries[1], Browsers());
    ASSERT_EQ(result.outcome, UndoOutcome::Done) << result.note;
    for (const REGSAM view : {k64, k32}) {
        EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, key, view, L""), view == k64 ? L"native" : L"wow");
        EXPECT_EQ(RawNumber(HKEY_LOCAL_MACHINE, key, view, L"NoExplorer"), view == k64 ? 1 : 2);
        EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, key + L"\\Sub\\Deeper", view, L"Name"), L"deep");
    }
    TIEExtensions again;
    EXPECT_TRUE(InView(again, clsid, 0) && InView(again, clsid, 1)) << "listed in both views again";

    // Registered again since: the undo of a new removal is refused once the key is back.
    {
        TIEExtensions ie;
        ASSERT_TRUE(JournaledRemove(journal, ie, InView(ie, clsid, 1)));
    }
    registry.CreateKey(HKEY_LOCAL_MACHINE, key, k64);
    entries = journal.List();
    result = UndoHistoryEntry(journal, entries[0], Browsers());
    EXPECT_EQ(result.outcome, UndoOutcome::Impossible);
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, key, k64, L""), L"(none)") << "the new key is left alone";
}

}  // namespace
