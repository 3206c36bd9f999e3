#pragma once
// The journal of changes: the folder "History\" beside the settings file,
// one JSON file per change ("<stamp>.json") and, beside it, a folder of the
// same name holding what a removal moved out of the browser.
#include <optional>
#include <string>
#include <vector>

#include "browsers/history/HistoryLimits.h"
#include "browsers/history/HistoryRecord.h"

// One journal file as listed: where it is and its record, none when the
// file could not be read as one.
struct THistoryEntry {
    std::wstring file;
    std::wstring folder;
    std::optional<THistoryRecord> record;
};

class THistoryJournal {
public:
    // folder: the journal's folder, no trailing backslash; empty for none
    // (then nothing can be recorded, so no change may be made).
    explicit THistoryJournal(std::wstring folder) : folder_(std::move(folder)) {}
    // SettingsFolder() + "\History".
    static THistoryJournal BesideSettings();
    // The limits from the settings (HistoryRecords, HistoryMegabytes).
    static THistoryLimits SettingsLimits();

    const std::wstring& Folder() const { return folder_; }

    // Writes a new record safely (a complete file or none). Raises BrivoError
    // when it cannot be written: the change must then not be made.
    THistoryEntry Add(const THistoryRecord& record);
    // Writes the entry's record back over its file; raises BrivoError.
    void Rewrite(const THistoryEntry& entry) const;
    // Deletes the record and its folder (a change that did not happen).
    void Discard(const THistoryEntry& entry) const;
    // Records `path` in the entry first, then moves it into the entry's
    // folder; false (record as before) when it could not be moved. Raises
    // BrivoError when the record cannot be written, with nothing moved.
    bool SetAside(THistoryEntry& entry, const std::wstring& path) const;
    // Where a saved path of the entry is now.
    std::wstring SavedLocation(const THistoryEntry& entry, const THistorySavedPath& saved) const;
    // Marks the record undone now; raises BrivoError.
    void MarkUndone(THistoryEntry& entry) const;

    // Every journal file, newest first; unreadable ones with no record.
    std::vector<THistoryEntry> List() const;
    // Deletes the oldest records and their folders beyond the limits.
    void Prune(const THistoryLimits& limits) const;

private:
    std::wstring folder_;
};

// The current UTC time in the records' form, "2026-12-11T12:30:05Z".
std::string HistoryTimeNow();
