#pragma once
// The font with which windows draw the active language, read from the file
// at LanguageFilePath() on every call (not from the loaded copy).
#include <windows.h>

#include <string>

// Translation/DefaultCharset as a GDI character set ("ANSI_CHARSET" when the
// key is missing). A missing file, or a name that is none of the 18 GDI
// names, gives the character set of the stock GUI font.
BYTE GetLanguageCharset();
// Translation/DefaultFont; "Tahoma" when the file is missing or the key is
// missing or empty.
std::wstring GetLanguageFontName();
// Translation/DefaultFontSize in points; 8 when the file is missing or the
// value is missing, not an integer, or not positive.
int GetLanguageFontSize();
