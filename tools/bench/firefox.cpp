// Reading a large Firefox profile and switching one add-on in it, from each
// of the two stores: an "extensions.json" of about 3 MB with 1 000 add-ons,
// and an "extensions.sqlite" with 1 000 add-on rows, their locale rows and an
// "addons.json" of the same add-ons. Prints the adapter's construction time
// for each store (plug-in scan and sorting included), once without and once
// with icon addresses (the downloads start during construction; they point
// at a loopback port that refuses), and the time of single toggles
// (write-back included).
//
// The profiles are made in the roaming application data of the Wine prefix
// it runs in and deleted afterwards; it refuses to run when a "Mozilla"
// folder is already there.
#include <windows.h>
#include <shlobj.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "browsers/IconDownload.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "platform/BrivoError.h"
#include "platform/ShellHelpers.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"
#include "support/MessagePump.h"

namespace {

constexpr int kAddons = 1000;
constexpr int kRuns = 5;

using bench::Clock;
using bench::MsSince;
using bench::WriteAll;

void RemoveTree(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(path.c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    const HANDLE first = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (first != INVALID_HANDLE_VALUE) {
        const UniqueFindHandle find(first);
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") RemoveTree(path + L"\\" + name);
        } while (FindNextFileW(find.get(), &found));
    }
    RemoveDirectoryW(path.c_str());
}

std::string Id(int i) { return "addon-" + std::to_string(i) + "@bench.example"; }

std::string Padding(int i, std::size_t length) {
    std::string text;
    while (text.size() < length) text += "Lorem ipsum dolor sit amet " + std::to_string(i) + ", ";
    text.resize(length);
    return text;
}

// About 3 KB per add-on, shaped like the browser's own file.
std::string ExtensionsJson(const std::string& descriptorFolder, bool icons) {
    std::string json = R"({"schemaVersion":31,"addons":[)";
    for (int i = 0; i < kAddons; ++i) {
        if (i) json += ",";
        const std::string id = Id(i);
        json += R"({"id":")" + id + R"(","syncGUID":"{)" + std::to_string(100000 + i) +
                R"(-bench}","version":"1.)" + std::to_string(i) + R"(.0","type":"extension","name":"Add-on )" +
                std::to_string(i) + R"(","active":)" + (i % 7 ? "true" : "false") + R"(,"userDisabled":)" +
                (i % 7 ? "false" : "true") + R"(,"appDisabled":false,"descriptor":")" + descriptorFolder + id +
                R"(.xpi","installDate":1577836800000,"updateDate":1577836800000,"size":)" + std::to_string(10000 + i) +
                R"(,"defaultLocale":{"name":"Bench add-on )" + std::to_string(i) + R"(","description":")" +
                Padding(i, 760) + R"(","creator":"Bench Maker","homepageURL":"https:\/\/example.invalid\/)" + id +
                R"("},"locales":{"de":{"name":"Erweiterung )" + std::to_string(i) + R"(","description":")" +
                Padding(i, 760) + R"("},"fr":{"name":"Extension )" + std::to_string(i) + R"(","description":")" +
                Padding(i, 760) + R"("}},"targetApplications":[{"id":"{ec8030f7-c20a-464f-9b0e-13a3a9e97384}",)"
                R"("minVersion":"60.0","maxVersion":"*"}],"permissions":["tabs","storage","<all_urls>"],)"
                R"("sourceURI":"https:\/\/example.invalid\/downloads\/)" + id + R"(.xpi","seen":true)";
        if (icons)
            json += R"(,"icons":{"32":"http:\/\/127.0.0.1:9\/icons\/)" + id + R"(-32.png","64":"http:\/\/127.0.0.1:9\/icons\/)" +
                    id + R"(-64.png"})";
        json += "}";
    }
    return json + "]}";
}

bool RunSql(const std::wstring& path, const std::string& sql) {
    sqlite3* db = nullptr;
    bool ok = sqlite3_open_v2(ToUtf8(path).c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) == SQLITE_OK;
    char* error = nullptr;
    ok = ok && sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) == SQLITE_OK;
    if (error) std::fprintf(stderr, "SQL error: %s\n", error);
    sqlite3_free(error);
    sqlite3_close(db);
    return ok;
}

bool MakeDatabaseProfile(const std::wstring& profile, const std::string& descriptorFolder, bool icons) {
    DeleteFileW((profile + L"extensions.sqlite").c_str());
    std::string sql =
        "create table addon (internal_id integer primary key autoincrement, id text, syncGUID text,"
        " location text, version text, type text, internalName text, updateURL text, updateKey text,"
        " optionsURL text, optionsType text, aboutURL text, iconURL text, icon64URL text, defaultLocale integer,"
        " active integer, userDisabled integer, appDisabled integer, pendingUninstall integer, descriptor text,"
        " installDate integer, updateDate integer, applyBackgroundUpdates integer, bootstrap integer,"
        " skinnable integer, size integer, sourceURI text, releaseNotesURI text, softDisabled integer,"
        " isForeignInstall integer, hasBinaryComponents integer, strictCompatibility integer);"
        "create table locale (id integer, name text, description text, creator text, homepageURL text);"
        "begin;";
    std::string addons = R"({"schema":5,"addons":[)";
    for (int i = 1; i <= kAddons; ++i) {
        const std::string id = Id(i);
        const std::string icon = icons ? "'http://127.0.0.1:9/icons/" + id + ".png'" : "NULL";
        sql += "insert into addon (internal_id, id, location, version, type, iconURL, defaultLocale, active,"
               " userDisabled, appDisabled, descriptor, size, sourceURI) values (" +
               std::to_string(i) + ", '" + id + "', 'app-profile', '1." + std::to_string(i) + "', 'extension', " +
               icon + ", " + std::to_string(i) + ", " + (i % 7 ? "1, 0" : "0, 1") + ", 0, '" + descriptorFolder + id +
               ".xpi', 12345, 'https://example.invalid/" + id + ".xpi');"
               "insert into locale values (" + std::to_string(i) + ", 'Bench add-on " + std::to_string(i) + "', '" +
               Padding(i, 300) + "', 'Bench Maker', 'https://example.invalid/');";
        if (i > 1) addons += ",";
        addons += R"({"id":")" + id + R"(","name":"Cached add-on )" + std::to_string(i) + R"(","description":")" +
                  Padding(i, 300) + R"(","type":"extension","icons":{},"screenshots":[]})";
    }
    sql += "commit;";
    addons += "]}";
    return RunSql(profile + L"extensions.sqlite", sql) && WriteAll(profile + L"addons.json", addons);
}

struct Figures {
    double best = 0, median = 0;
};

Figures Summarise(std::vector<double> times) {
    std::sort(times.begin(), times.end());
    return {times.front(), times[times.size() / 2]};
}

bool IconsEnded() { return IconDownloadsRunning() == 0; }

// Constructs the adapter kRuns times; the first run also warms the file cache.
Figures TimeConstruction(const char* label, int expectedAddons) {
    std::vector<double> times;
    double iconsMs = 0;
    for (int run = 0; run < kRuns; ++run) {
        const Clock::time_point start = Clock::now();
        int count = 0;
        {
            const TFireFoxExtensions firefox;
            times.push_back(MsSince(start));
            count = firefox.GetExtensionCount();
            const Clock::time_point icons = Clock::now();
            PumpMessagesUntil(IconsEnded, 60000);
            iconsMs = std::max(iconsMs, MsSince(icons));
        }
        if (count < expectedAddons) std::printf("  warning: only %d records\n", count);
    }
    const Figures figures = Summarise(times);
    std::printf("construction, %-34s best %7.1f ms  median %7.1f ms  (icon downloads ended %.0f ms later)\n", label,
                figures.best, figures.median, iconsMs);
    return figures;
}

void TimeToggles(const char* label) {
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* record = nullptr;
    for (int i = 0; i < firefox.GetExtensionCount(); ++i)
        if (firefox.GetExtension(i)->Name.find(L"500") != std::wstring::npos) record = firefox.GetExtension(i);
    if (!record) record = firefox.GetExtension(0);
    std::vector<double> times;
    try {
        for (int run = 0; run < kRuns * 2; ++run) {
            const Clock::time_point start = Clock::now();
            firefox.ToggleExtension(record);
            times.push_back(MsSince(start));
        }
    } catch (const BrivoError& error) {
        std::printf("toggle failed: %s\n", error.what());
        return;
    }
    const Figures figures = Summarise(times);
    std::printf("toggle, %-40s best %7.1f ms  median %7.1f ms  (%d toggles)\n", label, figures.best, figures.median,
                kRuns * 2);
    PumpMessagesUntil(IconsEnded, 60000);
}

// What starting the downloads alone costs: one worker thread per icon.
void TimeIconStarts() {
    std::vector<std::unique_ptr<TBrowserExtensionInfo>> records;
    for (int i = 0; i < kAddons; ++i) {
        records.push_back(std::make_unique<TBrowserExtensionInfo>());
        records.back()->IconUrl = L"http://127.0.0.1:9/icons/" + std::to_wstring(i) + L".png";
    }
    const Clock::time_point start = Clock::now();
    for (auto& record : records) StartIconDownload(*record);
    std::printf("starting %d icon downloads alone: %.1f ms\n", kAddons, MsSince(start));
    PumpMessagesUntil(IconsEnded, 60000);
}

void UseProfile(const std::wstring& firefoxFolder, const char* relative) {
    WriteAll(firefoxFolder + L"profiles.ini",
             std::string("[Profile0]\r\nName=bench\r\nIsRelative=1\r\nPath=") + relative + "\r\n");
}

}  // namespace

int main() {
    const std::wstring roaming = GetSpecialFolder(nullptr, CSIDL_APPDATA);
    const std::wstring mozilla = roaming + L"\\Mozilla";
    if (roaming.empty() || GetFileAttributesW(mozilla.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::printf("refusing to run: %s exists or no roaming folder\n", ToUtf8(mozilla).c_str());
        return 1;
    }
    const std::wstring firefox = mozilla + L"\\Firefox\\";
    const std::wstring jsonProfile = firefox + L"Profiles\\json.bench\\";
    const std::wstring dbProfile = firefox + L"Profiles\\sqlite.bench\\";
    SHCreateDirectoryExW(nullptr, jsonProfile.c_str(), nullptr);
    SHCreateDirectoryExW(nullptr, dbProfile.c_str(), nullptr);
    std::string descriptors = ToUtf8(jsonProfile) + "extensions\\";
    std::string escaped;
    for (char c : descriptors) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);

    int status = 0;
    for (bool icons : {false, true}) {
        const std::string json = ExtensionsJson(escaped, icons);
        if (!WriteAll(jsonProfile + L"extensions.json", json) || !MakeDatabaseProfile(dbProfile, descriptors, icons)) {
            std::printf("cannot write the profiles\n");
            status = 1;
            break;
        }
        std::printf("%s icon addresses: extensions.json %.2f MB, %d add-ons\n", icons ? "with" : "without",
                    json.size() / 1048576.0, kAddons);
        UseProfile(firefox, "Profiles/json.bench");
        TimeConstruction(icons ? "extensions.json, icons" : "extensions.json", kAddons);
        if (!icons) TimeToggles("extensions.json (3 MB written back)");
        UseProfile(firefox, "Profiles/sqlite.bench");
        TimeConstruction(icons ? "extensions.sqlite + addons.json, icons" : "extensions.sqlite + addons.json", kAddons);
        if (!icons) TimeToggles("extensions.sqlite (one update)");
    }
    TimeIconStarts();
    RemoveTree(mozilla);
    return status;
}
