#pragma once
// The update and news checks turn a fetched page into an INI file in the
// user's temporary folder and read it back with the profile rules.
#include <optional>
#include <string>

#include "net/IniText.h"

// The temporary folder in long form with a trailing backslash; empty when
// the long form cannot be found.
std::wstring GetLongTempPath();

// Writes the text and CR LF in the system's ANSI code page, without
// byte-order mark, to "<8 random letters>.ini" in the temporary folder,
// replacing a file of that name. The path written, or empty when the folder
// is missing, its path holds an unexpanded "%" variable, or the file cannot
// be written.
std::wstring SaveTempIni(const std::wstring& text);

// The INI file decoded from the ANSI code page; nullopt when it cannot be read.
std::optional<IniText> ReadTempIni(const std::wstring& path);
