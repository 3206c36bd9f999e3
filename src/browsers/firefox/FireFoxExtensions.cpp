#include "browsers/firefox/FireFoxExtensions.h"

#include <shlobj.h>

#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include "browsers/IconDownload.h"
#include "browsers/PluginRegistry.h"
#include "browsers/chromium/UiLanguageTags.h"
#include "browsers/firefox/AddonFiles.h"
#include "browsers/firefox/FirefoxAddonEntry.h"
#include "browsers/firefox/FirefoxProfile.h"
#include "json/JsonDocument.h"
#include "platform/BrivoError.h"
#include "platform/FileUtil.h"
#include "platform/ShellHelpers.h"
#include "platform/SqliteDatabase.h"
#include "platform/Utf.h"
#include "platform/WowRedirection.h"

namespace {

constexpr const char* kAddonQuery = "select addon.*, locale.* from addon left join locale on addon.internal_id=locale.id";
// Counted from 0 in the rows of kAddonQuery.
constexpr int kIdColumn = 1;
constexpr int kActiveColumn = 15;
constexpr int kUserDisabledColumn = 16;

// A file that exists but cannot be read raises and so ends the reading.
std::unique_ptr<JsonDocument> LoadJsonIfPresent(const std::wstring& path) {
    if (!PathExistsAnyView(path)) return nullptr;
    const std::optional<std::string> bytes = ReadFileBytes(path);
    if (!bytes) return nullptr;
    std::optional<JsonDocument> parsed = JsonDocument::ParseFileBytes(*bytes);
    if (!parsed) return nullptr;
    return std::make_unique<JsonDocument>(std::move(*parsed));
}

std::wstring WideText(const JsonValue* object, const char* name) { return ToWide(GetText(object, name)); }

}  // namespace

TFireFoxExtensions::TFireFoxExtensions() { Load(nullptr); }

TFireFoxExtensions::TFireFoxExtensions(const std::wstring& roamingAppData) { Load(&roamingAppData); }

TFireFoxExtensions::TFireFoxExtensions(const TBrowserProfile& profile) {
    LoadFound([&]() -> std::optional<TBrowserProfile> { return profile; });
}

void TFireFoxExtensions::Load(const std::wstring* roamingAppData) noexcept {
    LoadFound([roamingAppData]() -> std::optional<TBrowserProfile> {
        const std::wstring firefox =
            FirefoxFolder(roamingAppData ? *roamingAppData : GetSpecialFolder(nullptr, CSIDL_APPDATA));
        if (firefox.empty() || !FolderExists(firefox)) return std::nullopt;
        std::vector<TBrowserProfile> profiles = FindFirefoxProfiles(firefox);
        if (profiles.empty()) return TBrowserProfile{FirefoxFallbackFolder(firefox), L"", L""};
        return std::move(profiles.front());
    });
}

template <class Find>
void TFireFoxExtensions::LoadFound(Find find) noexcept {
    Kind = BrowserKind::Firefox;
    Browser = BrowserId::Firefox;
    try {
        DisplayName = L"Mozilla Firefox";
        PrefsFileName = L"extensions.json";
        std::optional<TBrowserProfile> profile = find();
        if (!profile) return;
        DataPath = std::move(profile->DataPath);
        ProfileFolder = std::move(profile->Folder);
        ProfileName = std::move(profile->Name);
        ReadProfile();
    } catch (const BrivoError&) {
        // A file or database that cannot be read: whatever was listed stays,
        // in list order like every list; the plug-ins are skipped.
        SortExtensions();
    } catch (const std::bad_alloc&) {
        SortExtensions();  // no memory left: likewise
    } catch (const std::length_error&) {
        SortExtensions();
    }
}

void TFireFoxExtensions::ReadProfile() {
    PrefsDocument = LoadJsonIfPresent(PrefsPath());
    AddonsDocument = LoadJsonIfPresent(DataPath + L"addons.json");
    if (PrefsDocument) {
        ReadExtensionsJson();
    } else if (PathExistsAnyView(DatabasePath())) {
        ReadExtensionsDatabase();
    }
    ScanPlugins(Extensions);
    SortExtensions();
}

void TFireFoxExtensions::ReadExtensionsJson() {
    const JsonValue* addons = GetArray(&PrefsDocument->Root(), "addons");
    if (!addons) return;
    const std::string tag = GetUiLanguageTag();
    const std::size_t count = ArraySize(addons);
    for (std::size_t i = 0; i < count; ++i) {
        // Anything but an object (null included) reads as an empty one.
        const FirefoxAddonEntry entry = ReadFirefoxAddonEntry(ArrayElement(addons, i), tag);
        if (entry.builtIn) continue;
        auto record = std::make_unique<TBrowserExtensionInfo>();
        record->Kind = AddonKind::Extension;
        record->Id = ToWide(entry.id);
        record->Name = ToWide(entry.name);
        record->Description = ToWide(entry.description);
        record->Disabled = entry.disabled;
        record->FilePath = ResolveAddonPath(DataPath, entry);
        record->Version = ToWide(entry.version);
        record->IconUrl = ToWide(entry.iconUrl);
        // Today's icons are files of the add-on itself, read when the row is
        // first shown (the record then names the file that gave the
        // picture); earlier ones addresses, fetched in the background.
        const bool download = !record->IconUrl.empty() && !IsAddonIconFile(entry.iconUrl);
        if (!entry.iconFiles.empty()) {
            TBrowserExtensionInfo* target = record.get();
            record->Icon.DecodeOnFirstUse([target, files = entry.iconFiles, download] {
                std::string chosen;
                AddonPicture picture = LoadAddonIcon(target->FilePath, files, chosen);
                if (picture) {
                    target->IconUrl = ToWide(chosen);
                } else if (download) {
                    StartIconDownload(*target);
                }
                return picture;
            });
        } else if (download) {
            StartIconDownload(*record);
        }
        Extensions.push_back(std::move(record));
    }
}

void TFireFoxExtensions::ReadExtensionsDatabase() {
    // Failing to open ends the whole reading; a failing query or row only this step.
    const SqliteDatabase db(DatabasePath());
    try {
        SqliteStatement query(db, kAddonQuery);
        const int nameColumn = query.FindColumn("name");
        const int descriptionColumn = query.FindColumn("description");
        const int iconColumn = query.FindColumn("iconurl");
        const int descriptorColumn = query.FindColumn("descriptor");
        while (query.Step()) {
            auto record = std::make_unique<TBrowserExtensionInfo>();
            record->Kind = AddonKind::Extension;
            const std::string id = query.ColumnText(kIdColumn);
            record->Id = ToWide(id);
            if (const CachedText* cached = FindCachedAddonText(id)) {
                record->Name = cached->name;
                record->Description = cached->description;
            } else {
                record->Name = ToWide(query.ColumnText(nameColumn));
                record->Description = ToWide(query.ColumnText(descriptionColumn));
            }
            record->Disabled =
                query.ColumnInteger(kUserDisabledColumn) == 1 || query.ColumnInteger(kActiveColumn) == 0;
            record->IconUrl = ToWide(query.ColumnText(iconColumn));
            record->FilePath = ToWide(query.ColumnText(descriptorColumn));
            if (!record->IconUrl.empty()) StartIconDownload(*record);
            Extensions.push_back(std::move(record));
        }
    } catch (const BrivoError&) {
        // No table, a damaged row: the add-ons read so far are listed.
    }
}

const TFireFoxExtensions::CachedText* TFireFoxExtensions::FindCachedAddonText(const std::string& id) {
    if (!cachedTexts_) {
        cachedTexts_ = std::make_unique<std::unordered_map<std::string, CachedText>>();
        const JsonValue* addons = AddonsDocument ? GetArray(&AddonsDocument->Root(), "addons") : nullptr;
        const std::size_t count = ArraySize(addons);
        for (std::size_t i = 0; i < count; ++i) {
            const JsonValue* addon = ArrayElement(addons, i);
            cachedTexts_->try_emplace(GetText(addon, "id"),
                                      CachedText{WideText(addon, "name"), WideText(addon, "description")});
        }
    }
    const auto found = cachedTexts_->find(id);
    return found == cachedTexts_->end() ? nullptr : &found->second;
}
