#include "browsers/history/HistoryJournal.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "app/AppConfig.h"
#include "json/JsonDocument.h"
#include "platform/BrivoError.h"
#include "platform/FileUtil.h"
#include "platform/MovePath.h"
#include "platform/ShellHelpers.h"
#include "platform/SystemErrorText.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

constexpr std::uint64_t kMegabyte = 1024ull * 1024;

// "20261211-123005-123": file names sort by time.
std::wstring StampNow() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    wchar_t text[32];
    swprintf(text, 32, L"%04u%02u%02u-%02u%02u%02u-%03u", now.wYear, now.wMonth, now.wDay, now.wHour, now.wMinute,
             now.wSecond, now.wMilliseconds);
    return text;
}

bool EnsureFolder(const std::wstring& folder) {
    if (FolderExists(folder)) return true;
    const std::size_t parent = folder.find_last_of(L'\\');
    if (parent != std::wstring::npos && parent > 2) EnsureFolder(folder.substr(0, parent));
    return CreateDirectoryW(folder.c_str(), nullptr) || FolderExists(folder);
}

void WriteRecord(const std::wstring& file, const THistoryRecord& record) {
    const std::optional<JsonDocument> document = JsonDocument::Parse(HistoryRecordToJson(record));
    if (!document) throw BrivoError("The history record could not be written.");
    document->SaveFile(file);
}

void DeletePath(const std::wstring& path) {
    if (FolderExists(path))
        ShellDeleteFolder(path);
    else if (FileExists(path))
        DeleteFileW(path.c_str());
}

}  // namespace

std::string HistoryTimeNow() {
    SYSTEMTIME now;
    GetSystemTime(&now);
    char text[32];
    std::snprintf(text, sizeof(text), "%04u-%02u-%02uT%02u:%02u:%02uZ", now.wYear, now.wMonth, now.wDay, now.wHour,
                  now.wMinute, now.wSecond);
    return text;
}

THistoryJournal THistoryJournal::BesideSettings() {
    const std::wstring settings = SettingsFolder();
    return THistoryJournal(settings.empty() ? std::wstring() : settings + L"\\History");
}

THistoryLimits THistoryJournal::SettingsLimits() {
    THistoryLimits limits;
    limits.maxRecords = static_cast<std::size_t>(std::max(1, AppConfig.HistoryRecords));
    limits.maxBytes = static_cast<std::uint64_t>(std::max(1, AppConfig.HistoryMegabytes)) * kMegabyte;
    return limits;
}

THistoryEntry THistoryJournal::Add(const THistoryRecord& record) {
    if (folder_.empty() || !EnsureFolder(folder_))
        throw BrivoError("The change was not made: its history record could not be written (no data folder).");
    const std::wstring stamp = StampNow();
    // Two changes within one millisecond get a counter after the stamp.
    THistoryEntry entry;
    for (int n = 0;; ++n) {
        const std::wstring name = n == 0 ? stamp : stamp + L"-" + std::to_wstring(n);
        entry.file = folder_ + L"\\" + name + L".json";
        entry.folder = folder_ + L"\\" + name;
        if (!FileExists(entry.file) && !FolderExists(entry.folder)) break;
    }
    entry.record = record;
    try {
        WriteRecord(entry.file, record);
    } catch (const BrivoError& error) {
        throw BrivoError(std::string("The change was not made: its history record could not be written. ") +
                         error.what());
    }
    return entry;
}

void THistoryJournal::Rewrite(const THistoryEntry& entry) const {
    if (entry.record) WriteRecord(entry.file, *entry.record);
}

void THistoryJournal::Discard(const THistoryEntry& entry) const {
    DeletePath(entry.folder);
    DeletePath(entry.file);
}

bool THistoryJournal::SetAside(THistoryEntry& entry, const std::wstring& path) const {
    if (!entry.record) return false;
    THistorySavedPath saved{std::to_string(entry.record->savedPaths.size()), ToUtf8(path)};
    entry.record->savedPaths.push_back(saved);
    Rewrite(entry);
    if (EnsureFolder(entry.folder) && MovePath(path, SavedLocation(entry, saved))) return true;
    entry.record->savedPaths.pop_back();
    try {
        Rewrite(entry);
    } catch (const BrivoError&) {
        // The record names a saved path that is not there: its undo says so.
    }
    return false;
}

std::wstring THistoryJournal::SavedLocation(const THistoryEntry& entry, const THistorySavedPath& saved) const {
    return entry.folder + L"\\" + ToWide(saved.saved);
}

void THistoryJournal::MarkUndone(THistoryEntry& entry) const {
    if (!entry.record) return;
    entry.record->undone = HistoryTimeNow();
    Rewrite(entry);
}

std::vector<THistoryEntry> THistoryJournal::List() const {
    std::vector<std::wstring> names;
    if (!folder_.empty()) {
        WIN32_FIND_DATAW found;
        const HANDLE first = FindFirstFileW((folder_ + L"\\*.json").c_str(), &found);
        if (first != INVALID_HANDLE_VALUE) {
            const UniqueFindHandle find(first);
            do {
                if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
            } while (FindNextFileW(find.get(), &found));
        }
    }
    // By the stem: "<stamp>-1" (a second change in the same millisecond)
    // comes after "<stamp>", which ".json" would not give.
    const auto stem = [](const std::wstring& name) { return name.substr(0, name.find_last_of(L'.')); };
    std::sort(names.begin(), names.end(),
              [&](const std::wstring& a, const std::wstring& b) { return stem(a) > stem(b); });
    std::vector<THistoryEntry> entries;
    for (const std::wstring& name : names) {
        // Windows' pattern also matches longer extensions such as ".json~".
        if (name.size() < 6 || name.compare(name.size() - 5, 5, L".json") != 0) continue;
        THistoryEntry entry;
        entry.file = folder_ + L"\\" + name;
        entry.folder = folder_ + L"\\" + name.substr(0, name.size() - 5);
        // A record is small; anything large is not one.
        if (const std::optional<std::string> text = TryReadFileBytes(entry.file, 16 * kMegabyte)) {
            std::string_view bytes = *text;
            if (bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
            entry.record = HistoryRecordFromJson(std::string(bytes));
        }
        entries.push_back(std::move(entry));
    }
    return entries;
}

void THistoryJournal::Prune(const THistoryLimits& limits) const {
    std::vector<THistoryEntry> entries = List();
    std::reverse(entries.begin(), entries.end());
    std::vector<std::uint64_t> sizes;
    for (const THistoryEntry& entry : entries) sizes.push_back(PathSize(entry.file) + PathSize(entry.folder));
    const std::size_t drop = RecordsToDrop(sizes, limits);
    for (std::size_t i = 0; i < drop; ++i) Discard(entries[i]);
}
