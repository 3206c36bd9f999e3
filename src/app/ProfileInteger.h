#pragma once
// Integers as stored in the settings and language files: decimal with an
// optional sign, or "0x" hexadecimal of up to 8 significant digits taken as
// the 32-bit pattern (so "0xFFFFFFFF" is -1). Surrounding blanks are allowed;
// anything else, or a decimal outside the 32-bit range, is not an integer.
#include <cstdint>
#include <optional>
#include <string_view>
#include <utility>

std::optional<std::int32_t> ParseProfileInteger(std::string_view text);

// Two such integers separated by one comma, as in "-8,120" (window position
// and size); anything else is not a pair.
std::optional<std::pair<std::int32_t, std::int32_t>> ParseProfileIntegerPair(std::string_view text);
