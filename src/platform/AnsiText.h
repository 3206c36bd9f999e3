#pragma once
// Text in the system's ANSI code page: web pages, the temporary INI files and
// language files without a byte-order mark.
#include <string>
#include <string_view>

std::wstring AnsiToWide(std::string_view bytes);
// Characters the code page lacks become its default character.
std::string WideToAnsi(std::wstring_view text);
