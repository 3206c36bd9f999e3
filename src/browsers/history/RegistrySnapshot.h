#pragma once
// Registry values as the journal keeps them: read before a change, written
// back by its undo.
#include <windows.h>

#include <string>
#include <vector>

#include "browsers/history/HistoryRecord.h"

// The value as it is now in the view (64 or 32; 0: the program's own), with
// its type and data, or absent.
THistoryRegistryValue ReadRegistryValue(HKEY root, const std::wstring& path, const std::wstring& name, int view);
// The key and everything below it: each key (parents first) followed by its
// values. Empty when the key does not open.
std::vector<THistoryRegistryValue> ReadRegistryTree(HKEY root, const std::wstring& path, int view);
// True when the key of a key entry, or the value of a present value entry,
// exists now.
bool RegistryEntryExists(const THistoryRegistryValue& value);
// Puts the value back as it was (a key entry: makes the key): its type and data, or deleted when it was
// absent (creating its key when it had been there and has gone). False when
// the registry refused.
bool RestoreRegistryValue(const THistoryRegistryValue& value);
// True when the value now is what `value` says it was.
bool RegistryValueIs(const THistoryRegistryValue& value);
