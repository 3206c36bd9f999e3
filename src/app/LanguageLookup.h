#pragma once
// The one text lookup of the program and the two language copies behind it:
// the active language file (LanguageFilePath) and the built-in English copy
// (the RCDATA resource "MemLang"). Both copies are process-wide and belong
// to the user-interface thread; nothing here is locked.
#include <windows.h>

#include <string>

// Full path of the active language file; it may name a missing file.
const std::wstring& LanguageFilePath();
// Makes path the active language file. The copy loaded from the previous path
// is dropped, so the next lookup reads the new file.
void SetLanguageFilePath(const std::wstring& path);

// The text for (section, key), case-insensitive: the active language file's
// value; if that is missing or empty, the built-in copy's value; if the
// built-in copy lacks the key (or is unavailable), defaultText. An empty
// section or key gives the empty text, not the default.
std::wstring Translate(const std::wstring& section, const std::wstring& key, const std::wstring& defaultText);

// Drops the loaded language file and loads the one at LanguageFilePath() if
// it exists. While none is loaded, every lookup tries again.
void ReloadLanguageFile();

// (Re)loads the built-in copy from the program's own module. On any failure
// there is no built-in copy and nothing is reported. Lookups load it once, on
// the first text the language file cannot give.
void LoadEmbeddedLanguage();
// The same from another module, which lets tests run without the resource.
void LoadEmbeddedLanguageFrom(HMODULE module);
