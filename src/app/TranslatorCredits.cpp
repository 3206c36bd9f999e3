#include "app/TranslatorCredits.h"

#include <algorithm>

#include "app/LanguageChoice.h"
#include "app/LanguageFileReader.h"
#include "platform/StrUtil.h"
#include "platform/Utf.h"

std::wstring JoinTranslatorNames(const std::vector<std::wstring>& names) {
    std::vector<std::wstring> seen;
    std::wstring joined;
    for (const std::wstring& name : names) {
        if (IsBlank(name) || std::find(seen.begin(), seen.end(), name) != seen.end()) continue;
        seen.push_back(name);
        if (!joined.empty()) joined += L", ";
        joined += name;
    }
    return joined;
}

std::wstring GatherTranslatorNames() {
    std::vector<std::wstring> languages;
    ListLanguages(languages);
    std::vector<std::wstring> names;
    for (const std::wstring& language : languages) {
        const std::optional<LanguageFile> file = ReadLanguageFile(LanguageFilePathFor(language));
        if (!file) continue;
        if (const auto name = file->Value("Lang", "Translator")) names.push_back(ToWide(*name));
    }
    return JoinTranslatorNames(names);
}
