#include "browsers/chromium/UnicodeEscapes.h"

#include <algorithm>
#include <cstddef>
#include <type_traits>

#include "platform/Utf.h"

namespace {

constexpr std::size_t kMaxDigits = 4;
constexpr std::size_t kLongestEscape = 2 + kMaxDigits;  // backslash, u, digits

int HexDigitValue(char32_t c) {
    if (c >= U'0' && c <= U'9') return static_cast<int>(c - U'0');
    if (c >= U'a' && c <= U'f') return static_cast<int>(c - U'a' + 10);
    if (c >= U'A' && c <= U'F') return static_cast<int>(c - U'A' + 10);
    return -1;
}

template <class Unit>
char32_t AsCodeUnit(Unit u) {
    // wchar_t is signed on some platforms; anything negative is no digit.
    using Unsigned = std::make_unsigned_t<Unit>;
    return static_cast<char32_t>(static_cast<Unsigned>(u));
}

// Length of the decodable escape at the start of p[0, available), with its
// value; 0 when there is none there.
template <class Unit>
std::size_t DecodableEscapeAt(const Unit* p, std::size_t available, char32_t& value) {
    if (available < 3 || AsCodeUnit(p[0]) != U'\\' || AsCodeUnit(p[1]) != U'u') return 0;
    const std::size_t digits = std::min(available - 2, kMaxDigits);
    value = 0;
    for (std::size_t k = 0; k < digits; ++k) {
        const int d = HexDigitValue(AsCodeUnit(p[2 + k]));
        if (d < 0) return 0;
        value = value * 16 + static_cast<char32_t>(d);
    }
    return 2 + digits;
}

template <class String>
std::size_t FirstBackslashU(const String& s) {
    for (std::size_t i = 0; i + 1 < s.size(); ++i) {
        if (AsCodeUnit(s[i]) == U'\\' && AsCodeUnit(s[i + 1]) == U'u') return i;
    }
    return String::npos;
}

// Replacing the leftmost decodable escape and scanning again from the start
// would be quadratic. Instead the text is kept as s[0, w) followed by
// s[r, n): no decodable escape starts in the front part, the back part is
// input not looked at yet. A replacement at w can only complete an escape
// that starts at most kLongestEscape - 1 units before it, so the decoded unit
// and that many front units go back to the unread part and are looked at
// again. Every replacement shortens the text, which bounds the extra work.
template <class String>
void DecodeInPlace(String& s) {
    using Unit = typename String::value_type;
    const std::size_t first = FirstBackslashU(s);
    if (first == String::npos) return;
    const std::size_t n = s.size();
    std::size_t w = first;
    std::size_t r = first;
    while (r < n) {
        char32_t value = 0;
        const std::size_t length = DecodableEscapeAt(s.data() + r, n - r, value);
        if (length == 0) {
            s[w++] = s[r++];
            continue;
        }
        r += length - 1;
        s[r] = static_cast<Unit>(value);
        for (std::size_t k = 1; k < kLongestEscape && w > 0; ++k) s[--r] = s[--w];
    }
    s.resize(w);
}

// Where wchar_t holds code points, decoded surrogate halves are joined the
// way a UTF-16 reader would see them.
void JoinSurrogatePairs(std::wstring& s) {
    std::size_t w = 0;
    for (std::size_t r = 0; r < s.size(); ++r) {
        const char32_t hi = AsCodeUnit(s[r]);
        if (hi >= 0xD800 && hi <= 0xDBFF && r + 1 < s.size()) {
            const char32_t lo = AsCodeUnit(s[r + 1]);
            if (lo >= 0xDC00 && lo <= 0xDFFF) {
                s[w++] = static_cast<wchar_t>(0x10000 + ((hi - 0xD800) << 10) + (lo - 0xDC00));
                ++r;
                continue;
            }
        }
        s[w++] = s[r];
    }
    s.resize(w);
}

}  // namespace

void DecodeUnicodeEscapes(std::u16string& text) {
    DecodeInPlace(text);
}

void DecodeUnicodeEscapes(std::wstring& text) {
    if (FirstBackslashU(text) == std::wstring::npos) return;
    DecodeInPlace(text);
    if constexpr (sizeof(wchar_t) > 2) JoinSurrogatePairs(text);
}

void DecodeUnicodeEscapes(std::string& utf8) {
    if (FirstBackslashU(utf8) == std::string::npos) return;
    std::wstring wide = ToWide(utf8);
    DecodeUnicodeEscapes(wide);
    utf8 = ToUtf8(wide);
}
