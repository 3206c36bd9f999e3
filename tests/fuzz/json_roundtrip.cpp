// Whatever parses must be written in the exact form, read back, and be
// written again byte for byte the same; lookups must find the last member of
// a name. Any other outcome stops the fuzzer.
#include "json/JsonDocument.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {

void Check(bool condition) {
    if (!condition) __builtin_trap();
}

void CheckLookups(const JsonValue& object) {
    if (!object.IsObject()) return;
    const rapidjson::SizeType count = object.MemberCount() < 64 ? object.MemberCount() : 64;
    for (rapidjson::SizeType i = 0; i < count; ++i) {
        const auto& member = object.MemberBegin()[i];
        const std::string_view name(member.name.GetString(), member.name.GetStringLength());
        const JsonValue* found = Member(&object, name);
        Check(found != nullptr);
        // No later member carries the same name.
        for (rapidjson::SizeType j = 0; j < object.MemberCount(); ++j) {
            const auto& other = object.MemberBegin()[j];
            if (&other.value == found) {
                for (rapidjson::SizeType k = j + 1; k < object.MemberCount(); ++k) {
                    const auto& later = object.MemberBegin()[k];
                    Check(std::string_view(later.name.GetString(), later.name.GetStringLength()) != name);
                }
            }
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto document = JsonDocument::Parse(text);
    const auto fromFile = JsonDocument::ParseFileBytes(text);
    const bool marked = text.compare(0, 3, "\xEF\xBB\xBF") == 0;
    // A file reads exactly when its text parses, once its byte-order mark is off.
    if (!marked) Check(fromFile.has_value() == document.has_value());
    if (fromFile && !marked) Check(document->ToText() == fromFile->ToText());
    if (!document) return 0;

    const std::string written = document->ToText();
    for (unsigned char c : written) Check(c >= 0x20 && c <= 0x7F);
    const auto again = JsonDocument::ParseFileBytes(written);
    Check(again.has_value());
    Check(again->ToText() == written);
    CheckLookups(document->Root());
    return 0;
}
