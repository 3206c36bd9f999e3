// Switching Firefox add-ons off and on and removing them.
#include <algorithm>
#include <string>

#include "browsers/BrowserProcesses.h"
#include "browsers/PluginRegistry.h"
#include "browsers/firefox/AddonFiles.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "json/JsonDocument.h"
#include "platform/BrivoError.h"
#include "platform/ShellHelpers.h"
#include "platform/SqliteDatabase.h"
#include "platform/SystemErrorText.h"
#include "platform/Utf.h"
#include "platform/WowRedirection.h"

namespace {

constexpr const wchar_t* kExecutable = L"firefox.exe";
// Firefox's start-up cache of the add-on list. While it exists, Firefox
// starts from it and ignores what "extensions.json" says; without it Firefox
// reads "extensions.json" and builds the cache anew.
constexpr const wchar_t* kStartupCache = L"addonStartup.json.lz4";

}  // namespace

void TFireFoxExtensions::CloseBrowser() { KillProcessesByName(kExecutable); }

bool TFireFoxExtensions::IsBrowserRunning() { return FindProcessByName(kExecutable) != 0; }

bool TFireFoxExtensions::ToggleExtension(TBrowserExtensionInfo* record) {
    if (!Owns(record)) return record ? record->Disabled : false;
    if (!PrefsDocument) {
        // The record changes only once the database did.
        UpdateAddonRow(*record, !record->Disabled);
        record->Disabled = !record->Disabled;
        return record->Disabled;
    }
    // The record shows the new state whatever happens to the write.
    record->Disabled = !record->Disabled;
    if (record->Kind == AddonKind::Extension) {
        if (JsonValue* entry = FindAddonEntry(record->Id)) {
            PrefsDocument->SetBoolean(*entry, "userDisabled", record->Disabled);
            PrefsDocument->SetBoolean(*entry, "active", !record->Disabled);
            SaveExtensionsJson();
        }
    }
    return record->Disabled;
}

void TFireFoxExtensions::SaveExtensionsJson() {
    PrefsDocument->SaveFile(PrefsPath());
    const std::wstring cache = DataPath + kStartupCache;
    if (DeleteFileW(cache.c_str())) return;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_NOT_FOUND && error != ERROR_PATH_NOT_FOUND)
        throw BrivoError(ToUtf8(cache) + ": " + SystemErrorText(error));
}

void TFireFoxExtensions::UpdateAddonRow(const TBrowserExtensionInfo& record, bool disabled) {
    const SqliteDatabase db(DatabasePath());
    // The id is bound, never spliced into the statement: an id holding a
    // double quote must change its own rows and no others. A locked database
    // or a missing table is raised to the caller like every failed write.
    const char* sql = disabled ? "update addon set ACTIVE=0, USERDISABLED=1 where id=?"
                               : "update addon set ACTIVE=1, USERDISABLED=0 where id=?";
    SqliteStatement update(db, sql);
    update.BindText(1, ToUtf8(record.Id));
    update.Run();
}

JsonValue* TFireFoxExtensions::FindAddonEntry(const std::wstring& id) {
    JsonValue* addons = GetArray(&PrefsDocument->Root(), "addons");
    const std::string wanted = ToUtf8(id);
    const std::size_t count = ArraySize(addons);
    for (std::size_t i = 0; i < count; ++i) {
        JsonValue* addon = ArrayElement(addons, i);
        if (addon->IsObject() && GetText(addon, "id") == wanted) return addon;
    }
    return nullptr;
}

bool TFireFoxExtensions::RemoveExtension(TBrowserExtensionInfo* record) {
    if (!Owns(record)) return false;
    if (record->Kind == AddonKind::Extension) {
        RemoveAddonData(*record);  // when this raises, the record stays listed
    } else if (!RemovePlugin(*record, BeforeRegistryDelete)) {
        return false;
    }
    return DestroyExtension(record);
}

void TFireFoxExtensions::RemoveAddonData(const TBrowserExtensionInfo& record) {
    // Whether the files went or not, the browser is told to forget the add-on.
    // Only a full path is handed to the shell: an empty or relative one would
    // resolve against the program's current folder.
    // The change history keeps the package of an add-on it can register again.
    if (IsFullWindowsPath(record.FilePath) && PathExistsAnyView(record.FilePath)) {
        if (SetAside && PrefsDocument)
            SetAside(record.FilePath);
        else
            ShellDeletePath(record.FilePath, false);
    }
    if (PrefsDocument) {
        RemoveFromExtensionsJson(record);
    } else {
        RemoveFromDatabase(record);
    }
}

void TFireFoxExtensions::RemoveFromExtensionsJson(const TBrowserExtensionInfo& record) {
    JsonValue* addons = GetArray(&PrefsDocument->Root(), "addons");
    if (!addons) return;
    const std::string wanted = ToUtf8(record.Id);
    const std::size_t count = ArraySize(addons);
    for (std::size_t i = 0; i < count; ++i) {
        const JsonValue* addon = ArrayElement(addons, i);
        if (GetText(addon, "id") == wanted) {
            PrefsDocument->DeleteElement(*addons, i);
            break;
        }
    }
    SaveExtensionsJson();
}

void TFireFoxExtensions::RemoveFromDatabase(const TBrowserExtensionInfo& record) {
    const SqliteDatabase db(DatabasePath());
    std::int64_t internalId = 0;
    {
        SqliteStatement select(db, "select internal_id from addon where id=?");
        select.BindText(1, ToUtf8(record.Id));
        select.StepToRow();
        internalId = select.ColumnInteger(0);
    }
    const std::string key = std::to_string(internalId);
    SqliteStatement(db, "delete from addon where internal_id=" + key).Run();
    SqliteStatement(db, "delete from locale where id=" + key).Run();
}

bool TFireFoxExtensions::Owns(const TBrowserExtensionInfo* record) const {
    return record && std::any_of(Extensions.begin(), Extensions.end(),
                                 [record](const auto& owned) { return owned.get() == record; });
}
