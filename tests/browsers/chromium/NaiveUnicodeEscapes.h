#pragma once
// The decoding rule carried out literally, for comparison on short texts:
// find the first backslash-u that can be decoded, replace it, and start
// again from the beginning. Quadratic, and deliberately simple.
#include <algorithm>
#include <string>

inline std::u16string NaiveDecodeUnicodeEscapes(std::u16string text) {
    static const std::u16string kHexDigits = u"0123456789abcdefABCDEF";
    std::size_t from = 0;
    for (;;) {
        const std::size_t at = text.find(u"\\u", from);
        if (at == std::u16string::npos) return text;
        const std::size_t digits = std::min<std::size_t>(4, text.size() - at - 2);
        const std::u16string number = text.substr(at + 2, digits);
        if (number.empty() || number.find_first_not_of(kHexDigits) != std::u16string::npos) {
            from = at + 2;  // not an escape: look further on
            continue;
        }
        const std::string narrow(number.begin(), number.end());
        text.replace(at, 2 + digits, 1, static_cast<char16_t>(std::stoul(narrow, nullptr, 16)));
        from = 0;
    }
}
