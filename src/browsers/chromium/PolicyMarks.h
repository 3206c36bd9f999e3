#pragma once
// Which policy entries are the program's own: the ids it put on a browser's
// blocklist and the ids it marked "removed" in the browser's
// "ExtensionSettings". They are kept in the settings file, section "Policy",
// one key per browser policy key and kind, the ids separated by spaces, so
// that an entry someone else made is never taken away.
#include <string>
#include <vector>

enum class PolicyMark { Blocked, Removed };

std::vector<std::wstring> MarkedIds(const std::wstring& browserKey, PolicyMark mark);
bool IsMarked(const std::wstring& browserKey, PolicyMark mark, const std::wstring& id);
// Adds the id to or takes it from the kind's ids; false when the settings
// file could not be written.
bool SetMarked(const std::wstring& browserKey, PolicyMark mark, const std::wstring& id, bool marked);
