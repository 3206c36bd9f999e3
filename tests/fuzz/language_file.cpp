// Parses arbitrary bytes as a language file in every encoding (the byte-order
// mark at the start decides, as on disk). The parser must end, stay inside its
// memory, give well-formed UTF-8, and agree with itself when its result is
// written out again and parsed once more.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/CharsetNames.h"
#include "app/LangCodeList.h"
#include "app/LanguageFile.h"
#include "app/ProfileInteger.h"
#include "platform/Utf.h"

namespace {

// A stand-in for the ANSI code page that is not UTF-8: Latin-1.
std::string Latin1(std::string_view bytes) {
    std::string out;
    for (unsigned char c : bytes) AppendUtf8(out, c);
    return out;
}

void Require(bool condition) {
    if (!condition) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    Require(IsValidUtf8(DecodeLanguageFileBytes(bytes, Latin1)));

    const LanguageFile file = LanguageFile::ParseBytes(bytes, Latin1);
    std::string written;
    for (const std::string& section : file.SectionNames()) {
        Require(IsValidUtf8(section));
        Require(file.HasSection(section));
        written += "[" + section + "]\n";
        for (const std::string& key : file.Keys(section)) {
            const std::optional<std::string> value = file.Value(section, key);
            Require(value.has_value());
            Require(IsValidUtf8(key) && IsValidUtf8(*value));
            // "[x = y]" would read back as a section header.
            if (!key.empty() && key.front() == '[' && !value->empty() && value->back() == ']') continue;
            written += key + " = " + *value + "\n";
            (void)ParseProfileInteger(*value);
            (void)CharsetFromName(*value);
            (void)LangCodeListContains(*value, "0809");
        }
    }

    const LanguageFile again = LanguageFile::ParseUtf8(written);
    for (const std::string& section : file.SectionNames()) {
        for (const std::string& key : file.Keys(section)) {
            const std::optional<std::string> value = file.Value(section, key);
            if (!key.empty() && key.front() == '[' && !value->empty() && value->back() == ']') continue;
            Require(again.Value(section, key) == value);
        }
    }
    return 0;
}
