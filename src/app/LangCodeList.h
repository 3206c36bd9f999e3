#pragma once
// The LangCode list of a language file: Windows language identifiers written
// as 4 hexadecimal digits and separated by "|", such as "0407|0807|0C07".
#include <cstdint>
#include <string>
#include <string_view>

// The identifier as it appears in such lists: 4 upper-case hex digits ("0809").
std::string FormatLanguageId(std::uint16_t languageId);

// True when one entry of the list equals the identifier, compared without
// regard to ASCII case. Entries are taken as written (blanks are not trimmed);
// an empty part after the last "|" is no entry.
bool LangCodeListContains(std::string_view list, std::string_view identifier);
