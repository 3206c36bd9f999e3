#pragma once
// A fetched INI page (the update and news pages) read with the rules of the
// Windows profile functions, as far as those pages need them:
// - "[name]" opens a section; lines before the first section are ignored;
// - section and key names match without regard to ASCII letter case, and the
//   first section and the first key of a name win;
// - names and values are trimmed; a value enclosed in matching single or
//   double quotes loses them;
// - empty lines and lines starting with ";" are not entries.
// Text is UTF-8; the caller decodes the file's code page.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

class IniText {
public:
    static IniText Parse(std::string_view utf8);

    // Nullopt when the section or the key is missing.
    std::optional<std::string> ReadString(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key, std::string_view fallback) const;
    // Decimal or "0x" hexadecimal; a missing, empty or non-numeric value
    // gives the fallback.
    std::int32_t ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const;
    // In file order: the key of each line, the whole line for a line
    // without "=". Empty for a missing section.
    std::vector<std::string> ReadSection(std::string_view section) const;
    // Every section's name in file order, each name once (where it first
    // stands, as the first section of a name is the one read).
    std::vector<std::string> SectionNames() const;

private:
    struct Entry {
        std::string key;  // the whole line when it has no "="
        std::optional<std::string> value;
    };
    struct Section {
        std::string name;
        std::vector<Entry> entries;
    };
    const Section* Find(std::string_view section) const;

    std::vector<Section> sections_;
};
