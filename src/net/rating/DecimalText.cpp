#include "net/rating/DecimalText.h"

#include <string>

namespace {

// Above this many digits a number is no rating and no count; refusing it
// keeps the arithmetic below exact.
constexpr size_t kMaxDigits = 15;

struct Decimal {
    bool negative = false;
    std::string whole;     // digits before the point
    std::string fraction;  // digits after it
};

std::optional<Decimal> Split(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    Decimal d;
    if (!text.empty() && (text.front() == '+' || text.front() == '-')) {
        d.negative = text.front() == '-';
        text.remove_prefix(1);
    }
    bool point = false;
    for (const char c : text) {
        if (c >= '0' && c <= '9') {
            (point ? d.fraction : d.whole) += c;
        } else if (c == '.' && !point) {
            point = true;
        } else {
            return std::nullopt;
        }
    }
    if (d.whole.empty() && d.fraction.empty()) return std::nullopt;
    if (d.whole.size() + d.fraction.size() > kMaxDigits) return std::nullopt;
    return d;
}

long long DigitsValue(const std::string& digits) {
    long long value = 0;
    for (const char c : digits) value = value * 10 + (c - '0');
    return value;
}

}  // namespace

std::optional<double> ParseDecimal(std::string_view text) {
    const std::optional<Decimal> d = Split(text);
    if (!d) return std::nullopt;
    // One division by an exact power of ten: correctly rounded.
    const double mantissa = static_cast<double>(DigitsValue(d->whole + d->fraction));
    double power = 1.0;
    for (size_t i = 0; i < d->fraction.size(); ++i) power *= 10.0;  // exact up to 1e22
    const double value = mantissa / power;
    return d->negative ? -value : value;
}

std::optional<long long> ParseTenths(std::string_view text) {
    const std::optional<Decimal> d = Split(text);
    if (!d) return std::nullopt;
    const long long tenths = DigitsValue(d->whole) * 10 + (d->fraction.empty() ? 0 : d->fraction[0] - '0');
    return d->negative ? -tenths : tenths;
}
