#include "FirefoxTestFiles.h"

#include <shlobj.h>
#include <sqlite3.h>

#include <gtest/gtest.h>

#include <atomic>

#include "platform/ShellHelpers.h"
#include "platform/Utf.h"

namespace {

const std::wstring kPluginsKey = L"SOFTWARE\\MozillaPlugins";

std::wstring UniqueSuffix() {
    static std::atomic<unsigned> serial{0};
    return std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
}

struct DbCloser {
    void operator()(sqlite3* db) const { sqlite3_close(db); }
};
using Db = std::unique_ptr<sqlite3, DbCloser>;

Db OpenDb(const std::wstring& path) {
    sqlite3* db = nullptr;
    const int code = sqlite3_open_v2(ToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr);
    Db owner(db);
    EXPECT_EQ(code, SQLITE_OK) << ToUtf8(path);
    return owner;
}

}  // namespace

FirefoxSandbox::FirefoxSandbox(bool makeFolder) : roaming_(GetSpecialFolder(nullptr, CSIDL_APPDATA)) {
    EXPECT_FALSE(roaming_.empty());
    mozilla_ = roaming_ + L"\\Mozilla";
    folder_ = mozilla_ + L"\\Firefox\\";
    if (PathExists(mozilla_)) {
        aside_ = mozilla_ + L".brivo-aside-" + UniqueSuffix();
        EXPECT_TRUE(MoveFileW(mozilla_.c_str(), aside_.c_str())) << ToUtf8(mozilla_);
    }
    if (makeFolder) MakeFolders(folder_);
    pluginId_ = L"@brivo.test/firefox-plugin-" + UniqueSuffix();
    registry_.SetString(HKEY_CURRENT_USER, PluginKey(), KEY_WOW64_64KEY, L"ProductName", L"Test Plug-in");
}

FirefoxSandbox::~FirefoxSandbox() {
    RemoveTree(mozilla_);
    EXPECT_FALSE(PathExists(mozilla_)) << "left behind: " << ToUtf8(mozilla_);
    if (!aside_.empty()) MoveFileW(aside_.c_str(), mozilla_.c_str());
}

std::wstring FirefoxSandbox::PluginKey() const { return kPluginsKey + L"\\" + pluginId_; }

void FirefoxSandbox::WriteProfilesIni(const std::string& text) const { WriteBytes(folder_ + L"profiles.ini", text); }

std::wstring FirefoxSandbox::MakeProfile(const std::string& relative) const {
    WriteProfilesIni("[General]\r\nStartWithLastProfile=1\r\n\r\n[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=" +
                     relative + "\r\nDefault=1\r\n");
    std::wstring folder = folder_ + ToWide(relative) + L"\\";
    for (wchar_t& c : folder)
        if (c == L'/') c = L'\\';
    MakeFolders(folder);
    return folder;
}

void RunSql(const std::wstring& path, const std::string& sql) {
    const Db db = OpenDb(path);
    char* error = nullptr;
    const int code = sqlite3_exec(db.get(), sql.c_str(), nullptr, nullptr, &error);
    EXPECT_EQ(code, SQLITE_OK) << (error ? error : "") << "\n" << sql;
    sqlite3_free(error);
}

std::vector<std::string> QueryRows(const std::wstring& path, const std::string& sql) {
    const Db db = OpenDb(path);
    std::vector<std::string> rows;
    sqlite3_stmt* statement = nullptr;
    EXPECT_EQ(sqlite3_prepare_v2(db.get(), sql.c_str(), -1, &statement, nullptr), SQLITE_OK) << sql;
    while (statement && sqlite3_step(statement) == SQLITE_ROW) {
        std::string row;
        for (int i = 0; i < sqlite3_column_count(statement); ++i) {
            if (i) row += "|";
            const unsigned char* text = sqlite3_column_text(statement, i);
            row += text ? reinterpret_cast<const char*>(text) : "NULL";
        }
        rows.push_back(row);
    }
    sqlite3_finalize(statement);
    return rows;
}

namespace {

std::string Quoted(const std::string& text) {
    std::string out = "'";
    for (char c : text) {
        out += c;
        if (c == '\'') out += '\'';
    }
    return out + "'";
}

}  // namespace

void WriteLegacyDatabase(const std::wstring& path, const std::vector<LegacyAddon>& addons) {
    // The older add-on manager's layout: the columns before the flags are
    // only there to put them at positions 15 and 16.
    std::string sql =
        "create table addon (internal_id integer primary key autoincrement, id text, syncGUID text,"
        " location text, version text, type text, internalName text, updateURL text, updateKey text,"
        " optionsURL text, optionsType text, aboutURL text, iconURL text, icon64URL text, defaultLocale integer,"
        " active integer, userDisabled integer, appDisabled integer, pendingUninstall integer, descriptor text,"
        " installDate integer, updateDate integer);"
        "create table locale (id integer, name text, description text, creator text, homepageURL text);";
    int internalId = 0;
    for (const LegacyAddon& addon : addons) {
        ++internalId;
        sql += "insert into addon (internal_id, id, location, version, type, iconURL, defaultLocale, active,"
               " userDisabled, appDisabled, descriptor) values (" +
               std::to_string(internalId) + ", " + Quoted(addon.id) + ", 'app-profile', '1.0', 'extension', " +
               Quoted(addon.iconUrl) + ", " + std::to_string(internalId) + ", " + addon.active + ", " +
               addon.userDisabled + ", 0, " + Quoted(addon.descriptor) + ");";
        if (!addon.name.empty() || !addon.description.empty())
            sql += "insert into locale (id, name, description) values (" + std::to_string(internalId) + ", " +
                   Quoted(addon.name) + ", " + Quoted(addon.description) + ");";
    }
    RunSql(path, sql);
}

TBrowserExtensionInfo* FindRecord(const TBrowserAppBase& adapter, const std::wstring& id) {
    for (int i = 0; i < adapter.GetExtensionCount(); ++i)
        if (adapter.GetExtension(i)->Id == id) return adapter.GetExtension(i);
    return nullptr;
}

std::vector<std::wstring> RecordIds(const TBrowserAppBase& adapter) {
    std::vector<std::wstring> ids;
    for (int i = 0; i < adapter.GetExtensionCount(); ++i) ids.push_back(adapter.GetExtension(i)->Id);
    return ids;
}

LockedFile::LockedFile(const std::wstring& path)
    : handle_(AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr))) {}

SqliteWriter::SqliteWriter(const std::wstring& path) {
    EXPECT_EQ(sqlite3_open_v2(ToUtf8(path).c_str(), &db_, SQLITE_OPEN_READWRITE, nullptr), SQLITE_OK);
    EXPECT_EQ(sqlite3_exec(db_, "begin exclusive", nullptr, nullptr, nullptr), SQLITE_OK);
}

SqliteWriter::~SqliteWriter() {
    sqlite3_exec(db_, "rollback", nullptr, nullptr, nullptr);
    sqlite3_close(db_);
}

std::string JsonLiteral(const std::wstring& text) {
    std::string out = "\"";
    for (char c : ToUtf8(text)) {
        if (c == '"' || c == '\\') out += '\\';
        out += c;
    }
    return out + "\"";
}
