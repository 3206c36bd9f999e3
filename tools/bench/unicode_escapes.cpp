// Decoding time of long texts full of backslash-u escapes, beside the
// literal restart loop on texts ten and a hundred times smaller.
#include <chrono>
#include <cstdio>
#include <string>

#include "browsers/chromium/NaiveUnicodeEscapes.h"
#include "browsers/chromium/UnicodeEscapes.h"
#include "platform/Utf.h"

namespace {

template <class Text>
Text Repeated(const Text& piece, std::size_t totalUnits) {
    Text text;
    text.reserve(totalUnits + piece.size());
    while (text.size() + piece.size() <= totalUnits) text += piece;
    return text;
}

template <class Decode>
double Milliseconds(Decode decode) {
    const auto start = std::chrono::steady_clock::now();
    decode();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void Report(const char* what, std::size_t units, std::size_t escapes, double ms) {
    std::printf("%-46s %8zu units %7zu escapes %9.2f ms\n", what, units, escapes, ms);
}

}  // namespace

int main() {
    constexpr std::size_t kUnits = 1000000;

    std::wstring plain = Repeated<std::wstring>(L"xy\\u0041zz", kUnits);  // 10 units, 1 escape
    const std::size_t plainEscapes = plain.size() / 10;
    const std::size_t plainSize = plain.size();
    Report("wide, one escape per 10 units", plainSize, plainEscapes,
           Milliseconds([&] { DecodeUnicodeEscapes(plain); }));

    std::string utf8 = Repeated<std::string>("xy\\u00e9zz", kUnits);
    const std::size_t utf8Size = utf8.size();
    Report("UTF-8, one escape per 10 bytes", utf8Size, utf8Size / 10,
           Milliseconds([&] { DecodeUnicodeEscapes(utf8); }));

    std::wstring nested = Repeated<std::wstring>(L"\\u005cu0041", kUnits);  // 2 escapes each
    const std::size_t nestedSize = nested.size();
    Report("wide, escapes formed by decoding", nestedSize, nestedSize / 11 * 2,
           Milliseconds([&] { DecodeUnicodeEscapes(nested); }));

    std::wstring chain = Repeated<std::wstring>(L"\\u005c", kUnits) + L"u0041";
    const std::size_t chainSize = chain.size();
    Report("wide, chain of escaped backslashes", chainSize, chainSize / 6,
           Milliseconds([&] { DecodeUnicodeEscapes(chain); }));

    std::wstring undecodable = Repeated<std::wstring>(L"\\u", kUnits) + L"0041";
    const std::size_t undecodableSize = undecodable.size();
    Report("wide, undecodable backslash-u run", undecodableSize, 2,
           Milliseconds([&] { DecodeUnicodeEscapes(undecodable); }));

    // The literal loop scans from the start after every replacement.
    for (const std::size_t fraction : {100, 10}) {
        const std::u16string small = Repeated<std::u16string>(u"xy\\u0041zz", kUnits / fraction);
        std::u16string decoded = small;
        const double linear = Milliseconds([&] { DecodeUnicodeEscapes(decoded); });
        std::u16string naive;
        const double quadratic = Milliseconds([&] { naive = NaiveDecodeUnicodeEscapes(small); });
        Report("UTF-16, smaller text", small.size(), small.size() / 10, linear);
        Report("literal restart loop, same text", small.size(), small.size() / 10, quadratic);
        if (naive != decoded) {
            std::printf("results differ\n");
            return 1;
        }
    }
    return 0;
}
