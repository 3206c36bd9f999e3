#pragma once
// Mozilla Firefox: the add-ons of one profile of "profiles.ini", read from "extensions.json" or, when that is missing or invalid,
// from the older database "extensions.sqlite", followed by the plug-ins.
// Add-ons built into Firefox or installed with it, and themes, are not listed.
// Changes go to the store the add-ons were read from; "addons.json" only
// lends names and descriptions to the database's add-ons and is never written.
#include <memory>
#include <string>
#include <unordered_map>

#include "browsers/BrowserAppBase.h"
#include "browsers/BrowserProfile.h"
#include "json/JsonDocument.h"

class TFireFoxExtensions : public TBrowserAppBase {
public:
    // Reads the first profile (FindFirefoxProfiles) under the user's roaming
    // application data, or the Firefox folder itself when "profiles.ini"
    // names none that exists. Raises nothing: data that cannot be read gives
    // fewer records or none.
    TFireFoxExtensions();
    // The same below another roaming application-data folder (no trailing
    // backslash); DataPath stays empty when it holds no "Mozilla\Firefox\".
    explicit TFireFoxExtensions(const std::wstring& roamingAppData);
    // Reads exactly this profile. Raises nothing.
    explicit TFireFoxExtensions(const TBrowserProfile& profile);

    // Terminates every process named exactly "firefox.exe".
    void CloseBrowser() override;
    // True while a process named exactly "firefox.exe" exists.
    bool IsBrowserRunning() override;
    // Writes the new state into the add-on's first element of
    // "extensions.json" ("userDisabled", "active") and removes Firefox's
    // start-up cache "addonStartup.json.lz4", so that Firefox takes the
    // change; or, when "extensions.json" was not read, into its rows of
    // "extensions.sqlite". Raises BrivoError when "extensions.json" cannot be
    // written or the cache not removed (Disabled and the document in memory
    // are switched by then), and when the database cannot be opened or
    // changed (Disabled then stays as it was). Plug-ins are not written while
    // "extensions.json" is the store. A record of another adapter is left
    // alone. Answers the record's Disabled.
    bool ToggleExtension(TBrowserExtensionInfo* record) override;
    // An add-on: its file or folder is deleted for good (handed to SetAside
    // instead where "extensions.json" is the store), then its element of
    // "extensions.json" (and the start-up cache) or its database rows. A
    // plug-in: its registry key; a key that stays keeps its record (false).
    // The record is then destroyed; when the store raised BrivoError it stays
    // listed. A record of another adapter is left alone (false).
    bool RemoveExtension(TBrowserExtensionInfo* record) override;

    // The parsed "addons.json"; none when it is missing or invalid.
    std::unique_ptr<JsonDocument> AddonsDocument;

private:
    struct CachedText {
        std::wstring name;
        std::wstring description;
    };

    // Sets the names, finds the profile below roamingAppData (the user's own
    // when null) and reads it; raises nothing.
    void Load(const std::wstring* roamingAppData) noexcept;
    // Reads the profile the callback finds (none: Firefox was not found).
    template <class Find>
    void LoadFound(Find find) noexcept;
    void ReadProfile();
    void ReadExtensionsJson();
    void ReadExtensionsDatabase();
    // Name and description of the id's first entry in "addons.json".
    const CachedText* FindCachedAddonText(const std::string& id);

    void UpdateAddonRow(const TBrowserExtensionInfo& record, bool disabled);
    // Writes "extensions.json" and removes the start-up cache beside it.
    void SaveExtensionsJson();
    JsonValue* FindAddonEntry(const std::wstring& id);
    void RemoveAddonData(const TBrowserExtensionInfo& record);
    void RemoveFromExtensionsJson(const TBrowserExtensionInfo& record);
    void RemoveFromDatabase(const TBrowserExtensionInfo& record);

    bool Owns(const TBrowserExtensionInfo* record) const;
    std::wstring PrefsPath() const { return DataPath + PrefsFileName; }
    std::wstring DatabasePath() const { return DataPath + L"extensions.sqlite"; }

    // "addons.json" by id, made on the first lookup; only its first entry
    // of an id counts.
    std::unique_ptr<std::unordered_map<std::string, CachedText>> cachedTexts_;
};
