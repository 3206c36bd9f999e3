#pragma once
// Firefox profiles, legacy add-on databases and stand-in browser processes
// for the Firefox tests. Everything made here is removed again.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "browsers/firefox/FireFoxExtensions.h"
#include "platform/UniqueHandles.h"
#include "support/ScratchRegistry.h"
#include "support/TestFiles.h"

// The Firefox folder of the prefix's roaming application data. Whatever the
// prefix holds there is moved aside for the life of the object and put back
// afterwards; what the test made is deleted. One plug-in is registered for
// the user meanwhile, so that every list that reaches the plug-in scan shows it.
class FirefoxSandbox {
public:
    // makeFolder false: the Firefox folder is not created.
    explicit FirefoxSandbox(bool makeFolder = true);
    ~FirefoxSandbox();
    FirefoxSandbox(const FirefoxSandbox&) = delete;
    FirefoxSandbox& operator=(const FirefoxSandbox&) = delete;

    // Ends in a backslash.
    const std::wstring& Folder() const { return folder_; }
    // "profiles.ini" with exactly this text.
    void WriteProfilesIni(const std::string& text) const;
    // A profile folder below Folder() named in "profiles.ini" as Profile0;
    // ends in a backslash.
    std::wstring MakeProfile(const std::string& relative = "Profiles/test.default") const;

    // The registered plug-in's subkey name (and so its record's Id).
    const std::wstring& PluginId() const { return pluginId_; }
    std::wstring PluginKey() const;

private:
    std::wstring roaming_;
    std::wstring mozilla_;
    std::wstring folder_;
    std::wstring aside_;
    std::wstring pluginId_;
    ScratchRegistry registry_;
};

// One add-on of a legacy "extensions.sqlite".
struct LegacyAddon {
    std::string id;
    std::string active = "1";        // SQL literals: 1, 0, NULL, 'text'
    std::string userDisabled = "0";
    std::string name;                // no "locale" row when both texts are empty
    std::string description;
    std::string iconUrl;
    std::string descriptor;
};

// Creates the database with the tables "addon" (the id in column 1, the
// active flag in column 15, the user-disabled flag in column 16, "iconURL",
// "descriptor") and "locale" ("id", "name", "description"), one row each.
// Done with SQLite directly, not with the program's wrapper.
void WriteLegacyDatabase(const std::wstring& path, const std::vector<LegacyAddon>& addons);
// Runs SQL on the database; fails the test on an error.
void RunSql(const std::wstring& path, const std::string& sql);
// Every row of a query, the columns of one row joined by "|", NULL as "NULL".
std::vector<std::string> QueryRows(const std::wstring& path, const std::string& sql);

// Another connection that holds the database's write lock until it goes.
class SqliteWriter {
public:
    explicit SqliteWriter(const std::wstring& path);
    ~SqliteWriter();
    SqliteWriter(const SqliteWriter&) = delete;
    SqliteWriter& operator=(const SqliteWriter&) = delete;

private:
    struct sqlite3* db_ = nullptr;
};

// The record with that Id; null when there is none.
TBrowserExtensionInfo* FindRecord(const TBrowserAppBase& adapter, const std::wstring& id);
// The Ids of the list in list order.
std::vector<std::wstring> RecordIds(const TBrowserAppBase& adapter);

// A file held open without sharing until the object goes.
class LockedFile {
public:
    explicit LockedFile(const std::wstring& path);
    bool Locked() const { return static_cast<bool>(handle_); }

private:
    UniqueHandle handle_;
};

// A JSON string literal of the text (quotes and backslashes escaped).
std::string JsonLiteral(const std::wstring& text);
