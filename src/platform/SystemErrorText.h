#pragma once
// The system's own text for a Windows error code, as the user reads it.
#include <windows.h>

#include <string>

// FormatMessageW's text without its line break (UTF-8); "Error <code>" when
// the system has none.
std::string SystemErrorText(DWORD code);
