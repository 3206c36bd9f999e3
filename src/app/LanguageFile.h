#pragma once
// A language file parsed into sections of key/value pairs (UTF-8 text).
//
// Sections and keys match with ordinal ASCII case folding: "A".."Z" equal
// "a".."z", every other byte (including the bytes of non-ASCII letters) must
// match exactly. The names the program looks up are all ASCII.
//
// No Windows here: the caller hands in the file's bytes and, for files
// without a byte-order mark, a function that decodes the system's ANSI code
// page into UTF-8.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>
#include "platform/StrUtil.h"

// Decodes text in the system's ANSI code page into UTF-8.
using AnsiDecoder = std::function<std::string(std::string_view bytes)>;

// The byte-order mark decides the encoding: UTF-8, UTF-16 LE or UTF-16 BE;
// without one the bytes are in the ANSI code page. The result is always
// well-formed UTF-8 (malformed input becomes U+FFFD, never dropped).
std::string DecodeLanguageFileBytes(std::string_view bytes, const AnsiDecoder& decodeAnsi);

// One meaningful line of a language file: a section header ("[name]", with
// empty key and value) or a "Key = Text" line inside a section.
struct LanguageLine {
    bool opensSection = false;
    std::string_view section;  // as written between the brackets, trimmed
    std::string_view key;
    std::string_view value;
};

// Walks the UTF-8 text line by line and reports, in file order, every
// section header and every key line inside a section, duplicates included.
// Lines are trimmed; empty lines and lines starting with ";" are skipped;
// lines before the first section are ignored; a line without "=" is a key
// without value.
void ForEachLanguageLine(std::string_view utf8, const std::function<void(const LanguageLine&)>& visit);


class LanguageFile {
public:
    static LanguageFile ParseUtf8(std::string_view utf8);
    static LanguageFile ParseBytes(std::string_view bytes, const AnsiDecoder& decodeAnsi);

    // The value of the key; nullopt when the section or the key is missing.
    // When a key occurs twice in a section, the later line wins.
    std::optional<std::string> Value(std::string_view section, std::string_view key) const;

    bool HasSection(std::string_view section) const;
    // Keys of a section (as first written), in order of first occurrence.
    std::vector<std::string> Keys(std::string_view section) const;
    // Section names (as first written), in order of first occurrence.
    const std::vector<std::string>& SectionNames() const { return sectionNames_; }

private:
    struct Section {
        std::vector<std::string> keyOrder;
        std::unordered_map<std::string, std::string> values;  // folded key -> value
    };
    std::unordered_map<std::string, Section> sections_;  // folded name -> section
    std::vector<std::string> sectionNames_;
};
