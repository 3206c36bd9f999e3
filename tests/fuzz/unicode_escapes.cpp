// Decodes arbitrary text: the decoder must end, never touch memory it does
// not own, and give exactly what the literal restart loop gives.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "../browsers/chromium/NaiveUnicodeEscapes.h"
#include "browsers/chromium/UnicodeEscapes.h"
#include "platform/Utf.h"

namespace {

constexpr std::size_t kCompareUpTo = 400;  // the reference loop is quadratic

// Bytes as UTF-16 units: most stand for themselves, so backslashes, "u" and
// digits are common; the top few give surrogate halves and a BMP letter.
std::u16string UnitsOf(const std::uint8_t* data, std::size_t size) {
    std::u16string text;
    text.reserve(size);
    for (std::size_t i = 0; i < size; ++i) {
        switch (data[i]) {
            case 0xFD: text += u'\xD83D'; break;
            case 0xFE: text += u'\xDE00'; break;
            case 0xFF: text += u'\x4E2D'; break;
            default: text += static_cast<char16_t>(data[i]);
        }
    }
    return text;
}

// Lone surrogate halves as U+FFFD: what remains of a text in UTF-8.
std::u16string WithoutLoneSurrogates(std::u16string text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool high = text[i] >= 0xD800 && text[i] <= 0xDBFF;
        const bool low = text[i] >= 0xDC00 && text[i] <= 0xDFFF;
        if (high && i + 1 < text.size() && text[i + 1] >= 0xDC00 && text[i + 1] <= 0xDFFF) {
            ++i;
        } else if (high || low) {
            text[i] = 0xFFFD;
        }
    }
    return text;
}

void Check(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::u16string input = UnitsOf(data, size);
    std::u16string decoded = input;
    DecodeUnicodeEscapes(decoded);
    Check(decoded.size() <= input.size());
    if (input.find(u"\\u") == std::u16string::npos) Check(decoded == input);

    // Raw bytes through the UTF-8 form: malformed UTF-8 included.
    std::string bytes(reinterpret_cast<const char*>(data), size);
    DecodeUnicodeEscapes(bytes);

    if (size <= kCompareUpTo) {
        const std::u16string expected = NaiveDecodeUnicodeEscapes(input);
        Check(decoded == expected);
        // The UTF-8 and wide forms give the same characters.
        const std::u16string valid = WithoutLoneSurrogates(input);
        const std::string expectedUtf8 = ToUtf8(NaiveDecodeUnicodeEscapes(valid));
        const std::string utf8 = ToUtf8(valid);
        std::string decodedUtf8 = utf8;
        DecodeUnicodeEscapes(decodedUtf8);
        Check(decodedUtf8 == expectedUtf8);
        std::wstring wide = ToWide(utf8);
        DecodeUnicodeEscapes(wide);
        Check(ToUtf8(wide) == expectedUtf8);
    }
    return 0;
}
