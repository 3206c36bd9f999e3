#pragma once
// Decimal numbers as the rating service writes them ("4.5", "-0.25", "3"):
// always with a point, whatever the user's regional settings say. Blanks
// around the number are allowed; exponents, thousands separators and other
// text are not.
#include <optional>
#include <string_view>

std::optional<double> ParseDecimal(std::string_view text);

// The number times ten, truncated toward zero, taken from the digits
// themselves (so "4.6" gives exactly 46, with no binary rounding on the way).
std::optional<long long> ParseTenths(std::string_view text);
