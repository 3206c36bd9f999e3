// Switching Firefox add-ons off and on and removing them.
#include <algorithm>
#include <string>

#include "browsers/BrowserProcesses.h"
#include "browsers/PluginRegistry.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "platform/BrivoError.h"
#include "platform/ShellHelpers.h"
#include "platform/SqliteDatabase.h"
#include "platform/Utf.h"
#include "platform/WowRedirection.h"

namespace {

constexpr const wchar_t* kExecutable = L"firefox.exe";

// The add-on's file or folder as the profile names it. Only a full path below
// a drive or share is handed to the shell: an empty or relative descriptor
// would resolve against the program's current folder, and a root is never an
// add-on.
bool IsDeletableAddonPath(const std::wstring& path) {
    const bool drive = path.size() > 3 && path[1] == L':' && path[2] == L'\\' &&
                       ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    const bool share = path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' &&
                       path.find(L'\\', path.find(L'\\', 2) + 1) != std::wstring::npos;
    return drive || share;
}

}  // namespace

void TFireFoxExtensions::CloseBrowser() { KillProcessesByName(kExecutable); }

bool TFireFoxExtensions::IsBrowserRunning() { return FindProcessByName(kExecutable) != 0; }

bool TFireFoxExtensions::ToggleExtension(TBrowserExtensionInfo* record) {
    if (!Owns(record)) return record ? record->Disabled : false;
    // The record shows the new state whatever happens to the write.
    record->Disabled = !record->Disabled;
    if (!PrefsDocument) {
        UpdateAddonRow(*record);
    } else if (record->Kind == AddonKind::Extension) {
        if (JsonValue* entry = FindAddonEntry(record->Id)) {
            PrefsDocument->SetBoolean(*entry, "userDisabled", record->Disabled);
            PrefsDocument->SetBoolean(*entry, "active", !record->Disabled);
            PrefsDocument->SaveFile(PrefsPath());
        }
    }
    return record->Disabled;
}

void TFireFoxExtensions::UpdateAddonRow(const TBrowserExtensionInfo& record) {
    const SqliteDatabase db(DatabasePath());  // not opening is raised to the caller
    // The id is bound, never spliced into the statement: an id holding a
    // double quote must change its own rows and no others.
    const char* sql = record.Disabled ? "update addon set ACTIVE=0, USERDISABLED=1 where id=?"
                                      : "update addon set ACTIVE=1, USERDISABLED=0 where id=?";
    try {
        SqliteStatement update(db, sql);
        update.BindText(1, ToUtf8(record.Id));
        update.Run();
    } catch (const BrivoError&) {
        // Locked or without the table: the record keeps its new state until the next start.
    }
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
    } else if (!RemovePlugin(*record)) {
        return false;
    }
    return DestroyExtension(record);
}

void TFireFoxExtensions::RemoveAddonData(const TBrowserExtensionInfo& record) {
    // Whether the files went or not, the browser is told to forget the add-on.
    if (IsDeletableAddonPath(record.FilePath) && PathExistsAnyView(record.FilePath))
        ShellDeletePath(record.FilePath, false);
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
    PrefsDocument->SaveFile(PrefsPath());
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
