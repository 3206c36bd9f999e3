#pragma once
// The acknowledgements of the about box: the translators the language files
// beside the program name in their "Lang" section ("Translator" key).
#include <string>
#include <vector>

// The names in list order, each once (compared exactly), blank ones left
// out, joined with ", ".
std::wstring JoinTranslatorNames(const std::vector<std::wstring>& names);

// The translators of every listed language file, joined as above; empty
// when no file names one.
std::wstring GatherTranslatorNames();
