#include "browsers/history/HistoryUndo.h"

#include <windows.h>

#include <vector>

#include "app/LanguageLookup.h"
#include "browsers/BrowserAppBase.h"
#include "browsers/DefaultBrowser.h"
#include "browsers/chromium/ChromiumPreferences.h"
#include "browsers/history/HistoryJournal.h"
#include "browsers/history/JournaledChanges.h"
#include "browsers/history/RegistrySnapshot.h"
#include "json/JsonDocument.h"
#include "platform/BrivoError.h"
#include "platform/FileUtil.h"
#include "platform/MovePath.h"
#include "platform/RegistryHelpers.h"
#include "platform/Utf.h"

namespace {

TUndoResult Refused(const wchar_t* key, const wchar_t* english) {
    return {UndoOutcome::Impossible, ToUtf8(Translate(L"Messages", key, english))};
}

TUndoResult Running() {
    return {UndoOutcome::BrowserRunning,
            ToUtf8(Translate(L"Messages", L"BIsRuning", L"The browser is running. Please close it to continue."))};
}

// The adapter of the record's browser profile, or none.
TBrowserAppBase* AdapterOf(const THistoryRecord& record, const BrowserList& browsers) {
    for (const auto& adapter : browsers) {
        if (adapter->DataPath.empty()) continue;
        const THistoryRecord mine = HistoryRecordFor(*adapter);
        if (mine.browser == record.browser && mine.profile == record.profile) return adapter.get();
    }
    return nullptr;
}

TBrowserExtensionInfo* AddonOf(const TBrowserAppBase& adapter, const THistoryRecord& record) {
    const std::wstring id = ToWide(record.addonId);
    for (int i = 0; i < adapter.GetExtensionCount(); ++i) {
        TBrowserExtensionInfo* addon = adapter.GetExtension(i);
        if (addon->Id != id || static_cast<int>(addon->Kind) != record.kind) continue;
        if (record.view != 0 && (addon->NativeView ? 64 : 32) != record.view) continue;
        return addon;
    }
    return nullptr;
}

TUndoResult UndoSwitch(TBrowserAppBase& adapter, const THistoryRecord& record) {
    TBrowserExtensionInfo* addon = AddonOf(adapter, record);
    if (!addon) return Refused(L"UndoNotInstalled", L"The add-on is no longer installed.");
    if (addon->Disabled == record.disabledBefore)
        return Refused(L"UndoSameState", L"The add-on has been switched back already.");
    try {
        adapter.ToggleExtension(addon);
    } catch (const BrivoError& error) {
        return {UndoOutcome::Impossible, error.what()};
    }
    if (addon->Disabled != record.disabledBefore)
        return Refused(L"UndoNotDone", L"The change could not be undone.");
    return {UndoOutcome::Done, {}};
}

// Moves the saved paths back; on a failure the ones already back return to
// the journal.
bool PutBack(const THistoryJournal& journal, const THistoryEntry& entry) {
    const THistoryRecord& record = *entry.record;
    std::size_t done = 0;
    for (; done < record.savedPaths.size(); ++done) {
        const THistorySavedPath& saved = record.savedPaths[done];
        if (!MovePath(journal.SavedLocation(entry, saved), ToWide(saved.original))) break;
    }
    if (done == record.savedPaths.size()) return true;
    while (done-- > 0) {
        const THistorySavedPath& saved = record.savedPaths[done];
        MovePath(ToWide(saved.original), journal.SavedLocation(entry, saved));
    }
    return false;
}

void TakeBackAgain(const THistoryJournal& journal, const THistoryEntry& entry) {
    for (const THistorySavedPath& saved : entry.record->savedPaths)
        MovePath(ToWide(saved.original), journal.SavedLocation(entry, saved));
}

bool IsFirefox(const THistoryRecord& record) { return record.browser == "firefox"; }

// The saved entry back where the browser keeps it: a member of
// "extensions"/"settings" (the Chromium family), an element of "addons"
// (Firefox).
bool InsertEntry(JsonDocument& settings, const THistoryRecord& record, const JsonValue& entry) {
    if (IsFirefox(record)) {
        JsonValue* addons = settings.EnsureArray(settings.Root(), "addons");
        return addons && settings.AppendCopy(*addons, entry);
    }
    JsonValue* extensions = settings.EnsureObject(settings.Root(), "extensions");
    JsonValue* entries = extensions ? settings.EnsureObject(*extensions, "settings") : nullptr;
    return entries && settings.SetCopy(*entries, record.addonId, entry);
}

TUndoResult UndoRemove(const THistoryJournal& journal, const THistoryEntry& entry) {
    const THistoryRecord& record = *entry.record;
    if (record.savedPaths.empty() && record.entry.empty() && record.registryValues.empty())
        return Refused(L"UndoNothingKept", L"Nothing was kept of this add-on, so it cannot be put back.");
    for (const THistorySavedPath& saved : record.savedPaths) {
        const std::wstring kept = journal.SavedLocation(entry, saved);
        if (!FolderExists(kept) && !FileExists(kept))
            return Refused(L"UndoDamaged", L"The history record is damaged: what it kept is missing.");
        const std::wstring original = ToWide(saved.original);
        if (FolderExists(original) || FileExists(original))
            return Refused(L"UndoInstalledAgain", L"The add-on has been installed again.");
    }
    std::optional<JsonDocument> settings;
    std::optional<JsonDocument> kept;
    if (!record.entry.empty()) {
        kept = JsonDocument::Parse(record.entry);
        if (!kept || !kept->Root().IsObject())
            return Refused(L"UndoDamaged", L"The history record is damaged: what it kept is missing.");
        settings = JsonDocument::LoadFile(ToWide(record.settingsFile));
        if (!settings || !settings->Root().IsObject())
            return Refused(L"UndoNoSettings", L"The browser's settings file cannot be read.");
        const bool installed = IsFirefox(record) ? FirefoxAddonEntry(*settings, record.addonId) != nullptr
                                                 : Member(ExtensionSettings(*settings), record.addonId) != nullptr;
        if (installed) return Refused(L"UndoInstalledAgain", L"The add-on has been installed again.");
    }
    for (const THistoryRegistryValue& value : record.registryValues) {
        // A key or value written again since belongs to a new install.
        if (RegistryEntryExists(value)) return Refused(L"UndoInstalledAgain", L"The add-on has been installed again.");
    }
    if (!PutBack(journal, entry)) return Refused(L"UndoNotDone", L"The change could not be undone.");
    if (settings) {
        if (!InsertEntry(*settings, record, kept->Root())) {
            TakeBackAgain(journal, entry);
            return Refused(L"UndoDamaged", L"The history record is damaged: what it kept is missing.");
        }
        try {
            settings->SaveFile(ToWide(record.settingsFile));
        } catch (const BrivoError& error) {
            TakeBackAgain(journal, entry);
            return {UndoOutcome::Impossible, error.what()};
        }
        if (IsFirefox(record)) {
            // Firefox starts from its start-up cache while there is one; without
            // it, it reads "extensions.json" and finds the add-on again.
            const std::wstring file = ToWide(record.settingsFile);
            DeleteFileW((file.substr(0, file.find_last_of(L'\\') + 1) + L"addonStartup.json.lz4").c_str());
        }
    }
    // Keys come before their values and subkeys in the record.
    bool restored = true;
    for (const THistoryRegistryValue& value : record.registryValues) restored &= RestoreRegistryValue(value);
    if (!restored) return Refused(L"UndoNotDone", L"The change could not be undone.");
    return {UndoOutcome::Done, {}};
}

TUndoResult UndoDefault(TBrowserAppBase& adapter, const THistoryRecord& record) {
    // Another browser chosen since keeps its place.
    if (!IsDefaultBrowser(adapter))
        return Refused(L"UndoNotDefault", L"The browser is no longer the default browser.");
    bool restored = true;
    for (const THistoryRegistryValue& value : record.registryValues) restored &= RestoreRegistryValue(value);
    if (!restored) return Refused(L"UndoNotDone", L"The change could not be undone.");
    return {UndoOutcome::Done, {}};
}

}  // namespace

TUndoResult UndoHistoryEntry(const THistoryJournal& journal, THistoryEntry& entry, const BrowserList& browsers) {
    if (!entry.record) return Refused(L"UndoUnreadable", L"The history record cannot be read.");
    const THistoryRecord& record = *entry.record;
    if (!record.undone.empty()) return Refused(L"UndoTwice", L"This change has been undone already.");
    TBrowserAppBase* adapter = AdapterOf(record, browsers);
    if (!adapter) return Refused(L"UndoNoBrowser", L"The browser or its profile is no longer there.");
    // The same guard as every change; making a browser the default has none.
    if (record.action != HistoryAction::Default && adapter->IsBrowserRunning()) return Running();
    TUndoResult result;
    switch (record.action) {
    case HistoryAction::Switch: result = UndoSwitch(*adapter, record); break;
    case HistoryAction::Remove: result = UndoRemove(journal, entry); break;
    case HistoryAction::Default: result = UndoDefault(*adapter, record); break;
    }
    if (result.outcome != UndoOutcome::Done) return result;
    try {
        journal.MarkUndone(entry);
    } catch (const BrivoError&) {
        // Undone all the same; the record cannot say so, and a second undo
        // finds the add-on back and refuses.
    }
    return result;
}
