#pragma once
// Reading a whole file whose absence and unreadability mean different things
// to the caller.
#include <optional>
#include <string>

// The file's bytes; none when nothing exists at path. A file that exists but
// cannot be read (held open without sharing, a folder of that name, no
// access) raises BrivoError with the system's text. Other programs may keep
// reading and writing the file meanwhile.
std::optional<std::string> ReadFileBytes(const std::wstring& path);
