#pragma once
// UTF-8 <-> wide text. On Windows std::wstring is UTF-16; on other platforms
// (the native test build) it holds code points. Invalid input is replaced by
// U+FFFD rather than rejected, so no text is ever silently dropped.
#include <string>
#include <string_view>

std::wstring ToWide(std::string_view utf8);
std::string ToUtf8(std::wstring_view wide);
// UTF-16 code units on every platform (surrogate pairs joined).
std::string ToUtf8(std::u16string_view utf16);

// Strict check: true when the bytes are well-formed UTF-8 (no overlongs,
// no surrogates, nothing above U+10FFFF).
bool IsValidUtf8(std::string_view bytes);

// Appends the UTF-8 form of one code point (U+FFFD for invalid ones).
void AppendUtf8(std::string& out, char32_t codePoint);
