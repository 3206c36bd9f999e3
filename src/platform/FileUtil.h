#pragma once
// Whole files and folders as the readers need them.
#include <cstdint>
#include <optional>
#include <string>

// The file's bytes; none when nothing exists at path. A file that exists but
// cannot be read (held open without sharing, a folder of that name, no
// access) raises BrivoError with the system's text. Other programs may keep
// reading and writing the file meanwhile.
std::optional<std::string> ReadFileBytes(const std::wstring& path);

// The file's bytes, or none when it is missing, cannot be read or holds more
// than maxBytes (a reader that never fails loudly). Other programs may keep
// the file open meanwhile.
std::optional<std::string> TryReadFileBytes(const std::wstring& path, std::uint64_t maxBytes);

// True when path names an existing folder (not a file), or an existing file
// (not a folder).
bool FolderExists(const std::wstring& path);
bool FileExists(const std::wstring& path);
