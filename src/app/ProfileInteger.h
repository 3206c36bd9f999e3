#pragma once
// Integers as stored in the settings and language files: decimal with an
// optional sign, or "0x" hexadecimal of up to 8 significant digits taken as
// the 32-bit pattern (so "0xFFFFFFFF" is -1). Surrounding blanks are allowed;
// anything else, or a decimal outside the 32-bit range, is not an integer.
#include <cstdint>
#include <optional>
#include <string_view>

std::optional<std::int32_t> ParseProfileInteger(std::string_view text);
