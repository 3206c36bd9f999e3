#pragma once
// Undoing one journal record against the browser's files as they are now:
// a switch is switched back through the adapter, a removal's folders go back
// to their places and its settings entry back into the browser's settings
// file, a default browser's registry values back to what they were.
#include <string>

#include "browsers/BrowserList.h"

class THistoryJournal;
struct THistoryEntry;

enum class UndoOutcome {
    Done,
    // The browser runs: nothing was changed.
    BrowserRunning,
    // It can no longer be done (or the record is damaged): nothing was
    // changed, and the note says why.
    Impossible,
};

struct TUndoResult {
    UndoOutcome outcome = UndoOutcome::Impossible;
    // The user's text (UTF-8) saying why, for the outcomes other than Done.
    std::string note;
};

// Undoes the entry with the adapters of `browsers` and marks it undone. The
// adapters' records may be out of date afterwards (a removal's entry is
// written into the file, not into the adapter): read the browsers again.
TUndoResult UndoHistoryEntry(const THistoryJournal& journal, THistoryEntry& entry, const BrowserList& browsers);
