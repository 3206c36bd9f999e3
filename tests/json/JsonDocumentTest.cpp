#include "json/JsonDocument.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace {

JsonDocument MustParse(const std::string& text) {
    auto document = JsonDocument::Parse(text);
    EXPECT_TRUE(document) << text;
    return document ? std::move(*document) : JsonDocument();
}

std::string Rewritten(const std::string& text) { return MustParse(text).ToText(); }

}  // namespace

TEST(JsonParsing, RejectsWhatIsNotStrictJson) {
    const char* const invalid[] = {
        "", " ", "{", "}", "{\"a\":}", "{\"a\" 1}", "{\"a\":1,}", "[1,]", "[1 2]", "{'a':1}", "{a:1}",
        "tru", "nul", "[01]", "[0x10]", "[-01]", "1.", ".5", "+1", "-", "1e", "NaN", "Infinity", "/*c*/{}", "//c\n{}",
        "\"a\tb\"", "\"a\nb\"", "\"\\x\"", "\"\\u12\"", "\"\\u12g4\"", "\xEF\xBB\xBF{}", "1e400"};
    for (const char* text : invalid) EXPECT_FALSE(JsonDocument::Parse(text)) << text;
}

TEST(JsonParsing, TruncatedDocumentsGiveNone) {
    const std::string whole =
        "{\"a\":[1,-2.5e3,true,false,null,\"x\\u00e9\\ud83d\\ude00\xC3\xA9\"],\"b\":{\"c\":{}},\"d\":[]}";
    ASSERT_TRUE(JsonDocument::Parse(whole));
    for (std::size_t length = 0; length < whole.size(); ++length)
        EXPECT_FALSE(JsonDocument::Parse(whole.substr(0, length))) << length;
}

TEST(JsonParsing, StopsAfterTheFirstCompleteValue) {
    EXPECT_EQ(Rewritten("{\"a\":1} and then {\"b\":"), "{\"a\":1}");
    EXPECT_EQ(Rewritten("[1]]"), "[1]");
    EXPECT_EQ(Rewritten(" \"x\"yz"), "\"x\"");
    EXPECT_EQ(Rewritten("{}\xFF\xFE"), "{}");
    EXPECT_EQ(Rewritten(std::string("{}\0{", 3)), "{}");
}

TEST(JsonParsing, AFileValueMustBeTextAndMayStartWithAByteOrderMark) {
    auto withMark = JsonDocument::ParseFileBytes("\xEF\xBB\xBF{\"a\":\"\xC3\xA9\"}");
    ASSERT_TRUE(withMark);
    EXPECT_EQ(GetText(&withMark->Root(), "a"), "\xC3\xA9");
    EXPECT_TRUE(JsonDocument::ParseFileBytes("{} trailing \xE2\x82\xAC text"));
    // Whatever follows the value is ignored, also bytes that are no text.
    const std::pair<const char*, const char*> followed[] = {
        {"{\"a\":1} trailing \xFF", "{\"a\":1}"},
        {"[1] \xE2\x82", "[1]"},
        {"\xEF\xBB\xBF\"x\"\xC0\xAF", "\"x\""},
    };
    for (const auto& [file, value] : followed) {
        const auto document = JsonDocument::ParseFileBytes(file);
        ASSERT_TRUE(document) << testing::PrintToString(std::string(file));
        EXPECT_EQ(document->ToText(), value);
    }
    EXPECT_FALSE(JsonDocument::ParseFileBytes("{\"a\":\"\xFF\"} trailing"));
    EXPECT_FALSE(JsonDocument::ParseFileBytes("\xEF\xBB\xBF[\"\xE2\x82\"]"));
    EXPECT_FALSE(JsonDocument::ParseFileBytes("\xEF\xBB{}"));
    EXPECT_FALSE(JsonDocument::ParseFileBytes(""));
}

TEST(JsonParsing, DecodesEveryEscapeAndSurrogatePairs) {
    const auto document = MustParse(
        "[\"\\\"\\\\\\/\\b\\f\\n\\r\\t\",\"\\u0041\\u00e9\\u20AC\\ud83d\\ude00\\uDBFF\\uDFFF\",\"\\u0000\"]");
    EXPECT_EQ(TextOf(ArrayElement(&document.Root(), 0)), "\"\\/\b\f\n\r\t");
    EXPECT_EQ(TextOf(ArrayElement(&document.Root(), 1)),
              "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
    EXPECT_EQ(TextOf(ArrayElement(&document.Root(), 2)), std::string(1, '\0'));
    // A high surrogate must be followed by a low one.
    EXPECT_FALSE(JsonDocument::Parse("\"\\ud800\""));
    EXPECT_FALSE(JsonDocument::Parse("\"\\ud800\\u0041\""));
    EXPECT_FALSE(JsonDocument::Parse("\"\\ud800\\ud800\""));
}

TEST(JsonParsing, BytesThatAreNotUtf8GiveNone) {
    const char* const invalid[] = {
        "\"\xC0\xAF\"",          // overlong "/"
        "\"\xED\xA0\x80\"",      // encoded surrogate
        "\"\xF4\x90\x80\x80\"",  // above U+10FFFF
        "\"\x80\"", "\"\xFF\"", "\"\xE2\x82\"", "{\"\xC3\":1}",
        // Cut off by the end of the text: the check must not read past it.
        "\"\xF0", "\"\xE2\x82", "[\"\xF0\x9F", "\"\xC3"};
    for (const char* text : invalid) EXPECT_FALSE(JsonDocument::Parse(text)) << text;
}

TEST(JsonParsing, IntegersAndOtherNumbersAreTwoKinds) {
    const auto document = MustParse(
        "{\"i\":3,\"min\":-9223372036854775808,\"max\":9223372036854775807,\"negzero\":-0,"
        "\"f\":3.0,\"e\":3e0,\"neg\":-0.0,\"big\":18446744073709551616}");
    const JsonValue* root = &document.Root();
    EXPECT_TRUE(Member(root, "i")->IsInt64());
    EXPECT_EQ(GetInteger(root, "min"), INT64_MIN);
    EXPECT_EQ(GetInteger(root, "max"), INT64_MAX);
    EXPECT_TRUE(Member(root, "negzero")->IsInt64());
    EXPECT_EQ(GetInteger(root, "negzero", 7), 0);
    for (const char* name : {"f", "e", "neg", "big"}) EXPECT_TRUE(Member(root, name)->IsDouble()) << name;
    EXPECT_TRUE(std::signbit(Member(root, "neg")->GetDouble()));
}

TEST(JsonParsing, HostileNestingAndHugeStringsDoNotExhaustTheStack) {
    constexpr std::size_t kDepth = 100000;
    const std::string arrays = std::string(kDepth, '[') + std::string(kDepth, ']');
    EXPECT_EQ(Rewritten(arrays), arrays);

    std::string objects;
    for (std::size_t i = 0; i < kDepth; ++i) objects += "{\"a\":";
    objects += "1" + std::string(kDepth, '}');
    EXPECT_EQ(Rewritten(objects), objects);

    EXPECT_FALSE(JsonDocument::Parse(std::string(kDepth, '[')));
    EXPECT_FALSE(JsonDocument::Parse(std::string(kDepth, '{')));

    const std::string huge(3 << 20, 'x');
    const auto document = MustParse("[\"" + huge + "\"]");
    EXPECT_EQ(ArrayElement(&document.Root(), 0)->GetStringLength(), huge.size());
}

TEST(JsonLookup, NamesAreExactTextNeverPaths) {
    const auto document = MustParse(
        "{\"extensions\":{\"settings\":1},\"extensions.settings\":2,\"48\":\"icon\",\"en-us\":\"x\",\"\":5}");
    const JsonValue* root = &document.Root();
    EXPECT_EQ(GetInteger(root, "extensions.settings"), 2);
    EXPECT_EQ(Member(root, "settings"), nullptr);
    EXPECT_EQ(GetText(root, "48"), "icon");
    EXPECT_EQ(GetText(root, "en-us"), "x");
    EXPECT_EQ(GetText(root, "EN-US", "none"), "none");
    EXPECT_EQ(GetInteger(root, ""), 5);
    EXPECT_EQ(Member(Member(root, "48"), "x"), nullptr);
    EXPECT_EQ(Member(static_cast<const JsonValue*>(nullptr), "x"), nullptr);
}

TEST(JsonLookup, ADuplicateNameReadsAsItsLastValueAndStaysInTheFile) {
    auto document = MustParse("{\"a\":1,\"b\":0,\"a\":2}");
    EXPECT_EQ(GetInteger(&document.Root(), "a"), 2);
    EXPECT_EQ(document.ToText(), "{\"a\":1,\"b\":0,\"a\":2}");
    document.SetInteger(document.Root(), "a", 3);
    EXPECT_EQ(document.ToText(), "{\"a\":1,\"b\":0,\"a\":3}");
    EXPECT_TRUE(document.DeleteMember(document.Root(), "a"));
    EXPECT_EQ(document.ToText(), "{\"b\":0}");
}

TEST(JsonLookup, TypedReadsGiveTheirDefaultForMissingOrOtherKinds) {
    const auto document = MustParse(
        "{\"s\":\"text\",\"i\":-42,\"f\":1.5,\"t\":true,\"n\":null,\"o\":{},\"a\":[1,\"two\"],"
        "\"u\":18446744073709551615}");
    const JsonValue* root = &document.Root();
    EXPECT_EQ(GetText(root, "s"), "text");
    EXPECT_EQ(GetText(root, "i"), "-42");
    EXPECT_EQ(GetText(root, "f"), "1.5");
    EXPECT_EQ(GetText(root, "t"), "true");
    EXPECT_EQ(GetText(root, "n", "d"), "d");
    EXPECT_EQ(GetText(root, "o", "d"), "d");
    EXPECT_EQ(GetText(root, "missing"), "");

    EXPECT_EQ(GetInteger(root, "i"), -42);
    EXPECT_EQ(GetInteger(root, "f", 9), 9);
    EXPECT_EQ(GetInteger(root, "s", 9), 9);
    EXPECT_EQ(GetInteger(root, "u", 9), 9);  // beyond 64 signed bits
    EXPECT_EQ(GetInteger(root, "missing"), 0);

    EXPECT_TRUE(GetBoolean(root, "t"));
    EXPECT_FALSE(GetBoolean(root, "i"));
    EXPECT_TRUE(GetBoolean(root, "missing", true));

    const JsonValue* array = GetArray(root, "a");
    ASSERT_EQ(ArraySize(array), 2u);
    EXPECT_EQ(IntegerOf(ArrayElement(array, 0)), 1);
    EXPECT_EQ(TextOf(ArrayElement(array, 1)), "two");
    EXPECT_EQ(ArrayElement(array, 2), nullptr);
    EXPECT_EQ(GetArray(root, "o"), nullptr);
    EXPECT_EQ(GetArray(root, "missing"), nullptr);
    EXPECT_EQ(ArraySize(Member(root, "o")), 0u);
}

TEST(JsonEditing, SettingMembersReplacesInPlaceOrAppends) {
    auto document = MustParse("{\"z\":{\"state\":1},\"a\":2,\"m\":\"x\"}");
    JsonValue& settings = *Member(&document.Root(), "z");
    EXPECT_TRUE(document.SetInteger(settings, "state", 0));
    EXPECT_TRUE(document.SetBoolean(document.Root(), "a", true));
    EXPECT_TRUE(document.SetInteger(document.Root(), "new", INT64_MIN));
    EXPECT_TRUE(document.SetBoolean(document.Root(), "flag", false));
    EXPECT_EQ(document.ToText(),
              "{\"z\":{\"state\":0},\"a\":true,\"m\":\"x\",\"new\":-9223372036854775808,\"flag\":false}");

    JsonValue& text = *Member(&document.Root(), "m");
    EXPECT_FALSE(document.SetInteger(text, "x", 1));
    EXPECT_FALSE(document.SetBoolean(text, "x", true));
    EXPECT_EQ(document.EnsureArray(text, "x"), nullptr);
    EXPECT_FALSE(document.DeleteMember(text, "x"));
    EXPECT_EQ(GetText(&document.Root(), "m"), "x");
}

TEST(JsonEditing, EnsuringAnArrayKeepsOneMakesOneOrReplacesAnotherKind) {
    auto document = MustParse("{\"keep\":[\"a\"],\"other\":{\"x\":1},\"last\":0}");
    JsonValue& root = document.Root();
    JsonValue* kept = document.EnsureArray(root, "keep");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept, GetArray(&root, "keep"));
    EXPECT_TRUE(document.AppendString(*kept, "b/c"));
    JsonValue* made = document.EnsureArray(root, "made");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(document.AppendInteger(*made, 7));
    ASSERT_NE(document.EnsureArray(root, "other"), nullptr);
    EXPECT_EQ(document.ToText(), "{\"keep\":[\"a\",\"b\\/c\"],\"other\":[],\"last\":0,\"made\":[7]}");
    EXPECT_FALSE(document.AppendString(*Member(&root, "last"), "x"));
    EXPECT_FALSE(document.AppendInteger(*Member(&root, "last"), 1));
}

TEST(JsonEditing, EnsuringAnObjectKeepsOneMakesOneOrReplacesAnotherKind) {
    auto document = MustParse("{\"keep\":{\"a\":1},\"other\":[2],\"last\":0}");
    JsonValue& root = document.Root();
    JsonValue* kept = document.EnsureObject(root, "keep");
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(kept, Member(&root, "keep"));
    EXPECT_TRUE(document.SetString(*kept, "b", "x"));
    JsonValue* made = document.EnsureObject(root, "made");
    ASSERT_NE(made, nullptr);
    EXPECT_TRUE(document.SetInteger(*made, "n", 7));
    ASSERT_NE(document.EnsureObject(root, "other"), nullptr);
    EXPECT_EQ(document.ToText(), "{\"keep\":{\"a\":1,\"b\":\"x\"},\"other\":{},\"last\":0,\"made\":{\"n\":7}}");
    EXPECT_EQ(document.EnsureObject(*Member(&root, "last"), "x"), nullptr);
}

TEST(JsonEditing, ADocumentBuiltFromAnEmptyObjectIsWrittenInTheOrderOfItsEdits) {
    JsonDocument document = JsonDocument::EmptyObject();
    EXPECT_EQ(document.ToText(), "{}");
    JsonValue& list = *document.EnsureArray(document.Root(), "list");
    JsonValue* first = document.AppendObject(list);
    ASSERT_NE(first, nullptr);
    EXPECT_TRUE(document.SetString(*first, "name", "first"));
    EXPECT_TRUE(document.SetNumber(*first, "rating", 2.0));
    EXPECT_TRUE(document.SetNumber(*first, "half", 0.5));
    // Replaced in place, with every byte of the text (a zero byte too).
    EXPECT_TRUE(document.SetString(*first, "name", std::string("Caf\xc3\xa9/\0x", 8)));
    ASSERT_NE(document.AppendObject(list), nullptr);
    EXPECT_EQ(document.ToText(), "{\"list\":[{\"name\":\"Caf\\u00e9\\/\\u0000x\",\"rating\":2.0,\"half\":0.5},{}]}");
    EXPECT_EQ(GetText(ArrayElement(&list, 0), "name"), std::string("Caf\xc3\xa9/\0x", 8));

    EXPECT_FALSE(document.SetString(list, "x", "y")) << "an array has no members";
    EXPECT_FALSE(document.SetNumber(list, "x", 1.5));
    EXPECT_EQ(document.AppendObject(document.Root()), nullptr) << "an object has no elements";
    EXPECT_EQ(document.ToText(), "{\"list\":[{\"name\":\"Caf\\u00e9\\/\\u0000x\",\"rating\":2.0,\"half\":0.5},{}]}");
}

TEST(JsonEditing, DeletingKeepsTheOrderOfWhatRemains) {
    auto document = MustParse("{\"a\":1,\"b\":[10,20,30,40],\"c\":3,\"d\":4}");
    JsonValue& root = document.Root();
    EXPECT_TRUE(document.DeleteMember(root, "c"));
    EXPECT_FALSE(document.DeleteMember(root, "c"));
    JsonValue& array = *GetArray(&root, "b");
    EXPECT_TRUE(document.DeleteElement(array, 1));
    EXPECT_FALSE(document.DeleteElement(array, 3));
    EXPECT_TRUE(document.DeleteElement(array, 2));
    EXPECT_EQ(document.ToText(), "{\"a\":1,\"b\":[10,30],\"d\":4}");
    EXPECT_FALSE(document.DeleteElement(root, 0));
}

TEST(JsonEditing, SwitchingAnExtensionOffChangesOnlyItsMembers) {
    const std::string before =
        "{\"extensions\":{\"known_disabled\":[\"aaa\"],\"settings\":{\"abc\":{\"state\":1,\"path\":\"C:\\\\x\","
        "\"manifest\":{\"name\":\"Caf\\u00e9\",\"version\":\"1.5\"}},\"def\":{\"state\":1}}},\"zoom\":1.25}";
    auto document = MustParse(before);
    JsonValue* extensions = Member(&document.Root(), "extensions");
    JsonValue* settings = Member(Member(extensions, "settings"), "abc");
    ASSERT_NE(settings, nullptr);
    document.SetInteger(*settings, "state", 0);
    document.AppendString(*document.EnsureArray(*extensions, "known_disabled"), "abc");
    std::string expected = before;
    expected.replace(expected.find("\"state\":1"), 9, "\"state\":0");
    expected.replace(expected.find("[\"aaa\"]"), 7, "[\"aaa\",\"abc\"]");
    EXPECT_EQ(document.ToText(), expected);
}

TEST(JsonDocumentOwnership, MovingKeepsValuesInsideTheTreeValid) {
    auto parsed = JsonDocument::Parse("{\"a\":{\"b\":[1,2]}}");
    ASSERT_TRUE(parsed);
    const JsonValue* inner = Member(&parsed->Root(), "a");
    JsonDocument moved = std::move(*parsed);
    EXPECT_EQ(Member(&moved.Root(), "a"), inner);
    EXPECT_EQ(ArraySize(GetArray(inner, "b")), 2u);
    JsonDocument assigned;
    assigned = std::move(moved);
    EXPECT_EQ(assigned.ToText(), "{\"a\":{\"b\":[1,2]}}");
    EXPECT_EQ(JsonDocument().ToText(), "null");
}
