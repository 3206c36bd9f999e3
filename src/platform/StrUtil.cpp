#include "platform/StrUtil.h"

#include <cwctype>

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

wchar_t FoldAscii(wchar_t c) { return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c; }

std::string FoldAsciiCase(std::string_view text) {
    std::string folded(text);
    for (char& c : folded) c = FoldAscii(c);
    return folded;
}

std::wstring FoldAsciiCase(std::wstring_view text) {
    std::wstring folded(text);
    for (wchar_t& c : folded) c = FoldAscii(c);
    return folded;
}

bool EqualsAsciiCaseless(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (FoldAscii(a[i]) != FoldAscii(b[i])) return false;
    return true;
}

bool IsBlank(std::wstring_view text) {
    for (wchar_t c : text)
        if (!std::iswspace(static_cast<std::wint_t>(c))) return false;
    return true;
}
