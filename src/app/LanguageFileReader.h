#pragma once
// Language files on disk and in the program's resources, parsed with the
// portable LanguageFile rules; files without a byte-order mark are read in
// the system's ANSI code page.
#include <windows.h>

#include "app/LanguageFile.h"

#include <optional>
#include <string>
#include <string_view>

// Text in the system's ANSI code page as UTF-8.
std::string DecodeAnsiCodePage(std::string_view bytes);

// The whole file parsed; nullopt when it cannot be opened or read (missing,
// a folder, held open without sharing, or implausibly large).
std::optional<LanguageFile> ReadLanguageFile(const std::wstring& path);

// The RCDATA resource of that name in the module, parsed; nullopt when the
// module has no such resource or it cannot be loaded.
std::optional<LanguageFile> ReadLanguageResource(HMODULE module, const wchar_t* name);

