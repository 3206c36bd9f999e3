#pragma once
// One change the program made to a browser, as its journal keeps it: what
// was done, to which add-on of which browser profile, and what is needed to
// put things back. The JSON form is the journal file's; no Windows here.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

enum class HistoryAction { Switch, Remove, Default };

// "switch", "remove", "default".
std::string_view HistoryActionName(HistoryAction action);

// A registry value as it was before the change: its key (root name such as
// "HKEY_CURRENT_USER", path), view (64 or 32; 0 for the program's own),
// name, and either absent or its type and data bytes.
struct THistoryRegistryValue {
    std::string root;
    std::string path;
    int view = 0;
    // True for the key itself (made again by an undo, with no value); name,
    // present, type and data are then unused.
    bool key = false;
    std::string name;
    bool present = false;
    std::uint32_t type = 0;
    std::string data;
};

// A file or folder the change moved into the journal: its place inside the
// record's own folder and where it came from.
struct THistorySavedPath {
    std::string saved;
    std::string original;
};

struct THistoryRecord {
    // UTC, "2026-12-11T12:30:05Z".
    std::string time;
    HistoryAction action = HistoryAction::Switch;
    // The browser's command-line word and its name, the profile's folder and
    // the name its user gave it.
    std::string browser;
    std::string browserName;
    std::string profile;
    std::string profileName;
    std::string addonId;
    std::string addonName;
    // The add-on's kind number in its family, and its registry view (64 or
    // 32; 0 when it has none).
    int kind = 0;
    int view = 0;
    // Switch: whether the add-on was off before.
    bool disabledBefore = false;
    // Remove: the browser's settings file and the add-on's entry in it, in
    // its exact written JSON form (empty when it had none).
    std::string settingsFile;
    std::string entry;
    std::vector<THistorySavedPath> savedPaths;
    // Remove (registry entries) and default: every value the change wrote
    // or deleted, as it was before.
    std::vector<THistoryRegistryValue> registryValues;
    // UTC time of the undo; empty while the change stands.
    std::string undone;
};

// The record's journal file text (the program's JSON written form).
std::string HistoryRecordToJson(const THistoryRecord& record);
// None when the text is no JSON object of this form (an unknown action, a
// missing time or browser, data that is not hexadecimal).
std::optional<THistoryRecord> HistoryRecordFromJson(const std::string& text);
