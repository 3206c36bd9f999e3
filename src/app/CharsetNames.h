#pragma once
// The GDI character-set names a language file may give as DefaultCharset,
// matched without regard to ASCII letter case, and their GDI values.
#include <optional>
#include <string_view>

std::optional<int> CharsetFromName(std::string_view name);
