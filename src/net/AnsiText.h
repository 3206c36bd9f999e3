#pragma once
// Text in the system's ANSI code page, the form in which the web pages and
// the temporary INI files are exchanged.
#include <string>
#include <string_view>

std::wstring AnsiToWide(std::string_view bytes);
// Characters the code page lacks become its default character.
std::string WideToAnsi(std::wstring_view text);
