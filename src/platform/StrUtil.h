#pragma once
// Small text helpers shared by every folder. Portable: no Windows here.
#include <string>
#include <string_view>

// Ordinal ASCII lower-casing, the folding used to match keys, ids and names
// that are ASCII in practice; other characters stay as they are.
char FoldAscii(char c);
wchar_t FoldAscii(wchar_t c);
std::string FoldAsciiCase(std::string_view text);
std::wstring FoldAsciiCase(std::wstring_view text);
bool EqualsAsciiCaseless(std::string_view a, std::string_view b);

// True when text is empty or only white space.
bool IsBlank(std::wstring_view text);
