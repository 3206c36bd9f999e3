#include "app/LangCodeList.h"

#include "app/LanguageFile.h"

std::string FormatLanguageId(std::uint16_t languageId) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string text(4, '0');
    for (int i = 3; i >= 0; --i) {
        text[static_cast<size_t>(i)] = kDigits[languageId & 0xF];
        languageId = static_cast<std::uint16_t>(languageId >> 4);
    }
    return text;
}

bool LangCodeListContains(std::string_view list, std::string_view identifier) {
    const std::string folded = FoldAsciiCase(list);
    const std::string wanted = FoldAsciiCase(identifier);
    std::string_view rest = folded;
    while (!rest.empty()) {
        const size_t bar = rest.find('|');
        const std::string_view entry = rest.substr(0, bar);
        if (entry == wanted) return true;
        if (bar == std::string_view::npos) break;
        rest.remove_prefix(bar + 1);
    }
    return false;
}
