#pragma once
// Which language files exist beside the program, which one fits the user's
// display language, and which one becomes the active language file.
#include <windows.h>

#include <string>
#include <vector>

// The file of a language: <program folder>Languages\<name>.ini.
std::wstring LanguageFilePathFor(const std::wstring& name);

// Replaces the list with the base names of the "Languages\*.ini" entries
// beside the program, in the order the file system returns them.
void ListLanguages(std::vector<std::wstring>& names);

// The first listed language whose LangCode holds the user's display language
// (GetUserDefaultUILanguage); "English" when none does.
std::wstring DetectLanguage();
// The same for a given language identifier.
std::wstring DetectLanguageFor(LANGID languageId);

// Makes the language's file active when it exists, else
// <program folder>Languages\English.ini (whether or not that exists).
void ChooseLanguageFile(const std::wstring& name);

// The language's own name (Lang/NativeLanguage of its file) for the language
// menu; the name itself when the file or the key is missing or empty.
std::wstring GetNativeLanguageName(const std::wstring& name);
