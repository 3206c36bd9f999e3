#pragma once
// The long form of a path that may hold short 8.3 components, built one
// component at a time from directory searches. No Windows here: the caller
// supplies the search.
#include <functional>
#include <optional>
#include <string>

// The long name of the last component of `path` as a directory search finds
// it, or nullopt when the search finds nothing.
using LongNameSearch = std::function<std::optional<std::wstring>(const std::wstring& path)>;

// Splits at the last backslash, converts the part before it the same way (a
// part without a backslash, such as "C:", stays as it is), appends a
// backslash and, unless the path ended with one, the searched long name of
// the last component. Empty when any search finds nothing.
std::wstring LongPathForm(const std::wstring& path, const LongNameSearch& search);

// LongPathForm of the reported temporary folder with a trailing backslash;
// empty stays empty.
std::wstring LongTempFolder(const std::wstring& reported, const LongNameSearch& search);
