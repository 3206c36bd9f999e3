#include "browsers/history/JournaledChanges.h"

#include <string>
#include <vector>

#include "browsers/BrowserAppBase.h"
#include "browsers/DefaultBrowser.h"
#include "browsers/chromium/ChromiumPreferences.h"
#include "browsers/history/HistoryJournal.h"
#include "browsers/history/RegistrySnapshot.h"
#include "json/JsonDocument.h"
#include "json/JsonWriter.h"
#include "platform/SystemInfo.h"
#include "platform/Utf.h"

namespace {

THistoryRecord RecordFor(const TBrowserAppBase& adapter, const TBrowserExtensionInfo& addon) {
    THistoryRecord record = HistoryRecordFor(adapter);
    record.addonId = ToUtf8(addon.Id);
    record.addonName = ToUtf8(addon.Name);
    record.kind = static_cast<int>(addon.Kind);
    // Internet Explorer's entries and the plug-ins are found in one of the
    // two registry views.
    if (IsWin64 && (adapter.Kind == BrowserKind::InternetExplorer || addon.Kind == AddonKind::Plugin))
        record.view = addon.NativeView ? 64 : 32;
    return record;
}

// The values SetDefaultBrowser may write.
std::vector<THistoryRegistryValue> DefaultBrowserValues() {
    const std::wstring associations = L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\";
    const int view = IsWin64 ? 64 : 0;
    std::vector<THistoryRegistryValue> values;
    for (const wchar_t* protocol : {L"ftp", L"http", L"https"})
        values.push_back(ReadRegistryValue(HKEY_CURRENT_USER, associations + protocol + L"\\UserChoice", L"Progid", view));
    for (const wchar_t* protocol : {L"ftp", L"http", L"https"})
        values.push_back(
            ReadRegistryValue(HKEY_CLASSES_ROOT, std::wstring(protocol) + L"\\shell\\open\\command", L"", view));
    return values;
}

// Keeps the journal to its limits; a failure there never undoes the change.
void KeepToLimits(THistoryJournal& journal) { journal.Prune(THistoryJournal::SettingsLimits()); }

// Whether the adapter keeps the add-on in a Chromium settings file.
bool HasChromiumEntry(const TBrowserAppBase& adapter, const TBrowserExtensionInfo& addon) {
    return (adapter.Kind == BrowserKind::ChromeFamily || adapter.Kind == BrowserKind::Opera) &&
           addon.Kind == AddonKind::Extension && adapter.PrefsDocument;
}

// Whether the add-on is an element of Firefox's "extensions.json".
bool HasFirefoxEntry(const TBrowserAppBase& adapter, const TBrowserExtensionInfo& addon) {
    return adapter.Kind == BrowserKind::Firefox && addon.Kind == AddonKind::Extension && adapter.PrefsDocument;
}

}  // namespace

const JsonValue* FirefoxAddonEntry(const JsonDocument& extensions, const std::string& id) {
    const JsonValue* addons = GetArray(&extensions.Root(), "addons");
    for (std::size_t i = 0; i < ArraySize(addons); ++i) {
        const JsonValue* addon = ArrayElement(addons, i);
        if (addon->IsObject() && GetText(addon, "id") == id) return addon;
    }
    return nullptr;
}

THistoryRecord HistoryRecordFor(const TBrowserAppBase& adapter) {
    THistoryRecord record;
    record.time = HistoryTimeNow();
    record.browser = adapter.Browser != BrowserId::None ? std::string(FactsOf(adapter.Browser).keyword)
                                                        : std::string(BrowserKeyword(adapter.Kind));
    record.browserName = ToUtf8(adapter.DisplayName);
    record.profile = ToUtf8(adapter.ProfileFolder);
    record.profileName = ToUtf8(adapter.ProfileName);
    return record;
}

bool JournaledToggle(THistoryJournal& journal, TBrowserAppBase& adapter, TBrowserExtensionInfo* addon) {
    if (!addon) return false;
    THistoryRecord record = RecordFor(adapter, *addon);
    record.action = HistoryAction::Switch;
    record.disabledBefore = addon->Disabled;
    THistoryEntry entry = journal.Add(record);
    bool disabled = addon->Disabled;
    try {
        disabled = adapter.ToggleExtension(addon);
    } catch (...) {
        // The file was not written, so the browser did not change.
        journal.Discard(entry);
        throw;
    }
    if (disabled == record.disabledBefore) {
        journal.Discard(entry);
    } else {
        KeepToLimits(journal);
    }
    return disabled;
}

bool JournaledRemove(THistoryJournal& journal, TBrowserAppBase& adapter, TBrowserExtensionInfo* addon) {
    if (!addon) return false;
    THistoryRecord record = RecordFor(adapter, *addon);
    record.action = HistoryAction::Remove;
    if (HasChromiumEntry(adapter, *addon)) {
        record.settingsFile = ToUtf8(adapter.DataPath + adapter.PrefsFileName);
        const JsonValue* entry = Member(ExtensionSettings(*adapter.PrefsDocument), ToUtf8(addon->Id));
        if (entry && entry->IsObject()) AppendJsonValue(record.entry, *entry);
    } else if (HasFirefoxEntry(adapter, *addon)) {
        record.settingsFile = ToUtf8(adapter.DataPath + adapter.PrefsFileName);
        if (const JsonValue* entry = FirefoxAddonEntry(*adapter.PrefsDocument, record.addonId))
            AppendJsonValue(record.entry, *entry);
    }
    THistoryEntry entry = journal.Add(record);
    bool movedAny = false;
    adapter.SetAside = [&](const std::wstring& path) {
        const bool moved = journal.SetAside(entry, path);
        movedAny |= moved;
        return moved;
    };
    // The registry helpers' view: the 64-bit one on 64-bit Windows, where a
    // Wow6432Node path reaches the 32-bit data.
    const int view = IsWin64 ? 64 : 0;
    adapter.BeforeRegistryDelete = [&](HKEY root, const std::wstring& path, const std::wstring* valueName) {
        std::vector<THistoryRegistryValue> kept;
        if (valueName)
            kept.push_back(ReadRegistryValue(root, path, *valueName, view));
        else
            kept = ReadRegistryTree(root, path, view);
        std::vector<THistoryRegistryValue>& values = entry.record->registryValues;
        const std::size_t before = values.size();
        values.insert(values.end(), kept.begin(), kept.end());
        try {
            journal.Rewrite(entry);
        } catch (...) {
            values.resize(before);
            throw;
        }
    };
    // A removal that failed and left every recorded key in place changed nothing.
    const auto changedSomething = [&] {
        if (movedAny) return true;
        for (const THistoryRegistryValue& value : entry.record->registryValues)
            if ((value.key || value.present) && !RegistryEntryExists(value)) return true;
        return false;
    };
    const auto unhook = [&adapter] {
        adapter.SetAside = nullptr;
        adapter.BeforeRegistryDelete = nullptr;
    };
    bool removed = false;
    try {
        removed = adapter.RemoveExtension(addon);
    } catch (...) {
        unhook();
        // What was moved stays in the journal, so that it can be put back.
        if (!changedSomething()) journal.Discard(entry);
        throw;
    }
    unhook();
    if (!removed && !changedSomething()) {
        journal.Discard(entry);
    } else {
        KeepToLimits(journal);
    }
    return removed;
}

bool JournaledSetDefault(THistoryJournal& journal, TBrowserAppBase& adapter) {
    if (IsDefaultBrowser(adapter)) return true;
    THistoryRecord record = HistoryRecordFor(adapter);
    record.action = HistoryAction::Default;
    record.registryValues = DefaultBrowserValues();
    THistoryEntry entry = journal.Add(record);
    const bool accepted = SetDefaultBrowser(adapter);
    bool changed = false;
    for (const THistoryRegistryValue& before : record.registryValues) changed |= !RegistryValueIs(before);
    if (!changed) {
        journal.Discard(entry);
    } else {
        KeepToLimits(journal);
    }
    return accepted;
}
