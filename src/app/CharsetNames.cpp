#include "app/CharsetNames.h"

#include "app/LanguageFile.h"

#include <array>
#include <utility>

namespace {

// Values as in <wingdi.h>.
constexpr std::array<std::pair<std::string_view, int>, 18> kCharsets{{
    {"ansi_charset", 0},
    {"default_charset", 1},
    {"symbol_charset", 2},
    {"mac_charset", 77},
    {"shiftjis_charset", 128},
    {"hangeul_charset", 129},
    {"johab_charset", 130},
    {"gb2312_charset", 134},
    {"chinesebig5_charset", 136},
    {"greek_charset", 161},
    {"turkish_charset", 162},
    {"hebrew_charset", 177},
    {"arabic_charset", 178},
    {"baltic_charset", 186},
    {"russian_charset", 204},
    {"thai_charset", 222},
    {"easteurope_charset", 238},
    {"oem_charset", 255},
}};

}  // namespace

std::optional<int> CharsetFromName(std::string_view name) {
    const std::string folded = FoldAsciiCase(name);
    for (const auto& [charsetName, value] : kCharsets) {
        if (folded == charsetName) return value;
    }
    return std::nullopt;
}
