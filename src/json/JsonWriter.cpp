#include "json/JsonWriter.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <cstring>
#include <vector>

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";
constexpr int kMaxSignificantDigits = 15;

// Output into a std::string whose size is the capacity: bytes are written
// through a pointer and the string is cut to the used length at the end, so
// the hot loops never pay for push_back.
class Sink {
public:
    explicit Sink(std::string& out) : out_(out), used_(out.size()) {}
    Sink(const Sink&) = delete;
    Sink& operator=(const Sink&) = delete;
    ~Sink() { out_.resize(used_); }

    // Room for at least `count` bytes at the returned position.
    char* Reserve(std::size_t count) {
        if (out_.size() - used_ < count) Grow(count);
        return out_.data() + used_;
    }
    void Commit(const char* end) { used_ = static_cast<std::size_t>(end - out_.data()); }

    void Put(char c) { *Reserve(1) = c; ++used_; }
    void Put(std::string_view text) {
        char* p = Reserve(text.size());
        std::memcpy(p, text.data(), text.size());
        used_ += text.size();
    }

private:
    void Grow(std::size_t count) {
        std::size_t size = out_.size() < 256 ? 256 : out_.size();
        while (size - used_ < count) size *= 2;
        out_.resize(size);
    }

    std::string& out_;
    std::size_t used_;
};

// Bytes 0x20..0x7F that are written as they are.
constexpr std::array<bool, 256> MakePlainTable() {
    std::array<bool, 256> plain{};
    for (int c = 0x20; c <= 0x7F; ++c) plain[c] = c != '"' && c != '\\' && c != '/';
    return plain;
}
constexpr std::array<bool, 256> kPlain = MakePlainTable();

char* PutUnitEscape(char* p, unsigned unit) {
    *p++ = '\\';
    *p++ = 'u';
    *p++ = kHexDigits[(unit >> 12) & 0xF];
    *p++ = kHexDigits[(unit >> 8) & 0xF];
    *p++ = kHexDigits[(unit >> 4) & 0xF];
    *p++ = kHexDigits[unit & 0xF];
    return p;
}

char* PutAsciiEscape(char* p, unsigned char c) {
    char letter = 0;
    switch (c) {
    case '\b': letter = 'b'; break;
    case '\t': letter = 't'; break;
    case '\n': letter = 'n'; break;
    case '\f': letter = 'f'; break;
    case '\r': letter = 'r'; break;
    case '"': letter = '"'; break;
    case '\\': letter = '\\'; break;
    case '/': letter = '/'; break;
    default: return PutUnitEscape(p, c);
    }
    *p++ = '\\';
    *p++ = letter;
    return p;
}

bool IsContinuation(unsigned char b) { return (b & 0xC0) == 0x80; }

// Decodes the sequence at s[i] (a byte >= 0x80) and advances i. A low
// surrogate is accepted: the parser stores an escaped lone one ("\udc00")
// that way, and it is written back as the same escape. A high surrogate on
// its own could not be read back and gives U+FFFD, as does anything
// malformed (which consumes one byte).
char32_t DecodeForWriting(const unsigned char* s, std::size_t size, std::size_t& i) {
    const unsigned char b0 = s[i];
    const std::size_t left = size - i;
    if (b0 >= 0xC2 && b0 <= 0xDF && left >= 2 && IsContinuation(s[i + 1])) {
        i += 2;
        return (char32_t(b0 & 0x1F) << 6) | (s[i - 1] & 0x3F);
    }
    if (b0 >= 0xE0 && b0 <= 0xEF && left >= 3 && IsContinuation(s[i + 1]) && IsContinuation(s[i + 2])) {
        const char32_t cp = (char32_t(b0 & 0x0F) << 12) | (char32_t(s[i + 1] & 0x3F) << 6) | (s[i + 2] & 0x3F);
        if (cp >= 0x800) {
            i += 3;
            return cp >= 0xD800 && cp <= 0xDBFF ? 0xFFFD : cp;
        }
    }
    if (b0 >= 0xF0 && b0 <= 0xF4 && left >= 4 && IsContinuation(s[i + 1]) && IsContinuation(s[i + 2]) &&
        IsContinuation(s[i + 3])) {
        const char32_t cp = (char32_t(b0 & 0x07) << 18) | (char32_t(s[i + 1] & 0x3F) << 12) |
                            (char32_t(s[i + 2] & 0x3F) << 6) | (s[i + 3] & 0x3F);
        if (cp >= 0x10000 && cp <= 0x10FFFF) {
            i += 4;
            return cp;
        }
    }
    ++i;
    return 0xFFFD;
}

void PutString(Sink& sink, std::string_view utf8) {
    const auto* s = reinterpret_cast<const unsigned char*>(utf8.data());
    const std::size_t size = utf8.size();
    // No input byte needs more than six output bytes; reserving in slices
    // keeps a huge string from asking for six times its size at once.
    constexpr std::size_t kSlice = 64 * 1024;
    std::size_t i = 0;
    sink.Put('"');
    while (i < size) {
        const std::size_t sliceEnd = size - i > kSlice ? i + kSlice : size;
        char* p = sink.Reserve((sliceEnd - i) * 6 + 12);
        while (i < sliceEnd) {
            const unsigned char c = s[i];
            if (kPlain[c]) {
                *p++ = static_cast<char>(c);
                ++i;
            } else if (c < 0x80) {
                p = PutAsciiEscape(p, c);
                ++i;
            } else {
                // A multi-byte sequence may run past the slice end; the
                // reserve's margin covers that.
                const char32_t cp = DecodeForWriting(s, size, i);
                if (cp >= 0x10000) {
                    const char32_t v = cp - 0x10000;
                    p = PutUnitEscape(p, 0xD800 + (v >> 10));
                    p = PutUnitEscape(p, 0xDC00 + (v & 0x3FF));
                } else {
                    p = PutUnitEscape(p, cp);
                }
            }
        }
        sink.Commit(p);
    }
    sink.Put('"');
}

template <typename Integer>
void PutInteger(Sink& sink, Integer value) {
    char* p = sink.Reserve(24);
    sink.Commit(std::to_chars(p, p + 24, value).ptr);
}

// The significant digits (without trailing zeros) and the decimal exponent
// of std::to_chars scientific output such as "1.2345e+20" (sign removed).
struct Decimal {
    char digits[24];
    int count = 0;
    int exponent = 0;
};

Decimal SplitScientific(const char* begin, const char* end) {
    Decimal d;
    const char* p = begin;
    for (; p != end && *p != 'e'; ++p)
        if (*p != '.' && d.count < static_cast<int>(sizeof d.digits)) d.digits[d.count++] = *p;
    while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
    if (p != end) std::from_chars(p + 1 + (p[1] == '+'), end, d.exponent);
    return d;
}

void PutDouble(Sink& sink, double value) {
    if (!std::isfinite(value)) {
        sink.Put("null");
        return;
    }
    char buffer[64];
    char* const bufferEnd = buffer + sizeof buffer;
    const char* digitsBegin = std::signbit(value) ? buffer + 1 : buffer;
    // The shortest digits that read back as the same number; when those are
    // more than fifteen, the number rounded to fifteen digits instead. Either
    // way the digits are those of "%.15g", without the C locale's say.
    auto result = std::to_chars(buffer, bufferEnd, value, std::chars_format::scientific);
    Decimal d = SplitScientific(digitsBegin, result.ptr);
    if (d.count > kMaxSignificantDigits) {
        result = std::to_chars(buffer, bufferEnd, value, std::chars_format::scientific, kMaxSignificantDigits - 1);
        d = SplitScientific(digitsBegin, result.ptr);
    }

    // At most sign, "0.", four zeros, 15 digits, ".0" or an exponent.
    char* const start = sink.Reserve(40);
    char* p = start;
    if (std::signbit(value)) *p++ = '-';
    if (d.exponent < -4 || d.exponent >= kMaxSignificantDigits) {
        *p++ = d.digits[0];
        if (d.count > 1) {
            *p++ = '.';
            p = std::copy(d.digits + 1, d.digits + d.count, p);
        }
        *p++ = 'e';
        *p++ = d.exponent < 0 ? '-' : '+';
        const int magnitude = d.exponent < 0 ? -d.exponent : d.exponent;
        if (magnitude < 10) *p++ = '0';
        p = std::to_chars(p, p + 8, magnitude).ptr;
    } else if (d.exponent < 0) {
        *p++ = '0';
        *p++ = '.';
        p = std::fill_n(p, -d.exponent - 1, '0');
        p = std::copy(d.digits, d.digits + d.count, p);
    } else {
        const int whole = d.exponent + 1;
        if (d.count <= whole) {
            p = std::copy(d.digits, d.digits + d.count, p);
            p = std::fill_n(p, whole - d.count, '0');
            *p++ = '.';
            *p++ = '0';
        } else {
            p = std::copy(d.digits, d.digits + whole, p);
            *p++ = '.';
            p = std::copy(d.digits + whole, d.digits + d.count, p);
        }
    }
    sink.Commit(p);
}

void PutScalar(Sink& sink, const JsonValue& value) {
    switch (value.GetType()) {
    case rapidjson::kNullType: sink.Put("null"); break;
    case rapidjson::kFalseType: sink.Put("false"); break;
    case rapidjson::kTrueType: sink.Put("true"); break;
    case rapidjson::kStringType: PutString(sink, {value.GetString(), value.GetStringLength()}); break;
    case rapidjson::kNumberType:
        if (value.IsInt64()) PutInteger(sink, value.GetInt64());
        else if (value.IsUint64()) PutInteger(sink, value.GetUint64());
        else PutDouble(sink, value.GetDouble());
        break;
    default: break;  // containers are written by PutValue
    }
}

void PutValue(Sink& sink, const JsonValue& root) {
    // One frame per open container: the container and the index of the next
    // member or element to write.
    struct Frame {
        const JsonValue* container;
        rapidjson::SizeType next;
    };
    std::vector<Frame> open;

    auto begin = [&](const JsonValue& value) {
        if (value.IsObject()) {
            if (value.MemberCount() == 0) {
                sink.Put("{}");
            } else {
                sink.Put('{');
                open.push_back({&value, 0});
            }
        } else if (value.IsArray()) {
            if (value.Empty()) {
                sink.Put("[]");
            } else {
                sink.Put('[');
                open.push_back({&value, 0});
            }
        } else {
            PutScalar(sink, value);
        }
    };

    begin(root);
    while (!open.empty()) {
        Frame& top = open.back();
        const JsonValue& container = *top.container;
        const bool isObject = container.IsObject();
        const rapidjson::SizeType count = isObject ? container.MemberCount() : container.Size();
        if (top.next == count) {
            sink.Put(isObject ? '}' : ']');
            open.pop_back();
            continue;
        }
        const rapidjson::SizeType index = top.next++;
        if (index > 0) sink.Put(',');
        if (isObject) {
            const auto member = container.MemberBegin() + index;
            PutString(sink, {member->name.GetString(), member->name.GetStringLength()});
            sink.Put(':');
            begin(member->value);  // may reallocate `open`: `top` is not used after this
        } else {
            begin(container[index]);
        }
    }
}

}  // namespace

void AppendJsonValue(std::string& out, const JsonValue& value) {
    Sink sink(out);
    PutValue(sink, value);
}

void AppendJsonString(std::string& out, std::string_view utf8) {
    Sink sink(out);
    PutString(sink, utf8);
}

void AppendJsonNumber(std::string& out, double value) {
    Sink sink(out);
    PutDouble(sink, value);
}
