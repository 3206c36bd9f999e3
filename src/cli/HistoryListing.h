#pragma once
// bpmcli's forms of the change history: the records newest first, numbered
// from 1, an unreadable record keeping its number. No Windows here.
#include <optional>
#include <string>
#include <vector>

#include "browsers/history/HistoryRecord.h"

// One JSON array: per record its number, time, browser, browserName,
// profile, profileName, addonId, addonName, action and undone (with
// undoneTime when it was); an unreadable record as its number with
// "unreadable": true.
std::string FormatHistoryJson(const std::vector<std::optional<THistoryRecord>>& records);
// One line per record under a header line: number, time, action, browser
// (and profile), add-on and "undone" when it was; "no changes" when empty.
std::string FormatHistoryTable(const std::vector<std::optional<THistoryRecord>>& records);
