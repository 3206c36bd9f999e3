#pragma once
// Short locale tags ("en-us", "zh-cn", "de") for Windows display-language
// identifiers, used to pick an add-on's localized texts. The table is fixed:
// its tags cannot be derived from the identifiers by rule, and a few of them
// ("in", "ji", "sb", "sx", "ro-mo", "ru-mo") are older codes kept on purpose.
#include <array>
#include <cstdint>
#include <string>
#include <string_view>

struct UiLanguageTagRow {
    std::uint16_t langId;  // the whole 16-bit LANGID
    std::string_view tag;  // lower case
};

extern const std::array<UiLanguageTagRow, 122> UiLanguageTags;

// Tag of the row whose identifier equals langId exactly; empty when there is
// none (no fall-back to the primary language).
std::string UiLanguageTagOf(std::uint16_t langId);

// The tag of the user's Windows display language; empty when it has no row
// in the table. Never fails. Windows only.
std::string GetUiLanguageTag();
