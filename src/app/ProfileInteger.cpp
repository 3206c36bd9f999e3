#include "app/ProfileInteger.h"

namespace {

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::optional<std::uint32_t> ParseHexBits(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    while (digits.size() > 1 && digits.front() == '0') digits.remove_prefix(1);
    if (digits.size() > 8) return std::nullopt;
    std::uint32_t bits = 0;
    for (char c : digits) {
        const int d = HexDigit(c);
        if (d < 0) return std::nullopt;
        bits = bits << 4 | static_cast<std::uint32_t>(d);
    }
    return bits;
}

}  // namespace

std::optional<std::int32_t> ParseProfileInteger(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);

    bool negative = false;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    if (text.empty()) return std::nullopt;

    if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
        std::optional<std::uint32_t> bits = ParseHexBits(text.substr(2));
        if (!bits) return std::nullopt;
        if (negative) *bits = 0u - *bits;
        return static_cast<std::int32_t>(*bits);
    }

    std::int64_t value = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::int64_t{INT32_MAX} + 1) return std::nullopt;
    }
    if (negative) value = -value;
    if (value > INT32_MAX || value < INT32_MIN) return std::nullopt;
    return static_cast<std::int32_t>(value);
}

std::optional<std::pair<std::int32_t, std::int32_t>> ParseProfileIntegerPair(std::string_view text) {
    const size_t comma = text.find(',');
    if (comma == std::string_view::npos) return std::nullopt;
    const std::optional<std::int32_t> first = ParseProfileInteger(text.substr(0, comma));
    const std::optional<std::int32_t> second = ParseProfileInteger(text.substr(comma + 1));
    if (!first || !second) return std::nullopt;
    return std::pair{*first, *second};
}
