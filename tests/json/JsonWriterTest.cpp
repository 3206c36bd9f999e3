#include "json/JsonWriter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <random>
#include <string>

namespace {

std::string Quoted(std::string_view utf8) {
    std::string out;
    AppendJsonString(out, utf8);
    return out;
}

std::string Number(double value) {
    std::string out;
    AppendJsonNumber(out, value);
    return out;
}

std::string Rewritten(const std::string& text) {
    auto document = JsonDocument::Parse(text);
    EXPECT_TRUE(document) << text;
    return document ? document->ToText() : std::string();
}

int SignificantDigits(const std::string& number) {
    std::string digits;
    for (char c : number) {
        if (c == 'e') break;
        if (c >= '0' && c <= '9') digits += c;
    }
    const auto first = digits.find_first_not_of('0');
    if (first == std::string::npos) return 1;
    const auto last = digits.find_last_not_of('0');
    return static_cast<int>(last - first + 1);
}

}  // namespace

TEST(JsonEscaping, ControlCharactersQuotesBackslashAndSlash) {
    EXPECT_EQ(Quoted("\b\t\n\f\r"), "\"\\b\\t\\n\\f\\r\"");
    EXPECT_EQ(Quoted("\"\\/"), "\"\\\"\\\\\\/\"");
    EXPECT_EQ(Quoted("a/b"), "\"a\\/b\"");
    EXPECT_EQ(Quoted(std::string("\0\x01\x0b\x0e\x1f", 5)), "\"\\u0000\\u0001\\u000b\\u000e\\u001f\"");
    EXPECT_EQ(Quoted(" ~\x7f"), "\" ~\x7f\"");
    for (int c = 0x20; c <= 0x7f; ++c) {
        if (c == '"' || c == '\\' || c == '/') continue;
        EXPECT_EQ(Quoted(std::string(1, static_cast<char>(c))), std::string("\"") + static_cast<char>(c) + "\"") << c;
    }
}

TEST(JsonEscaping, EverythingFromU0080UpIsALowerCaseEscape) {
    EXPECT_EQ(Quoted("\xC2\x80"), "\"\\u0080\"");
    EXPECT_EQ(Quoted("\xC3\xA9"), "\"\\u00e9\"");               // é
    EXPECT_EQ(Quoted("\xC3\xBF"), "\"\\u00ff\"");
    EXPECT_EQ(Quoted("\xC4\x80"), "\"\\u0100\"");
    EXPECT_EQ(Quoted("\xE2\x82\xAC"), "\"\\u20ac\"");           // €
    EXPECT_EQ(Quoted("\xEF\xBF\xBF"), "\"\\uffff\"");
    EXPECT_EQ(Quoted("\xF0\x90\x80\x80"), "\"\\ud800\\udc00\"");  // U+10000
    EXPECT_EQ(Quoted("\xF0\x9F\x98\x80"), "\"\\ud83d\\ude00\"");  // 😀
    EXPECT_EQ(Quoted("\xF4\x8F\xBF\xBF"), "\"\\udbff\\udfff\"");
}

TEST(JsonEscaping, MemberNamesAreEscapedLikeValues) {
    EXPECT_EQ(Rewritten("{\"a/b\\u00C9\\t\":\"\xC3\xA9/\"}"), "{\"a\\/b\\u00c9\\t\":\"\\u00e9\\/\"}");
}

TEST(JsonEscaping, TextThatIsNotUtf8IsStillWrittenAsReadableJson) {
    // Only an edit can bring such text in; the file must stay readable.
    EXPECT_EQ(Quoted("a\xFF" "b"), "\"a\\ufffdb\"");
    EXPECT_EQ(Quoted("\xE2\x82"), "\"\\ufffd\\ufffd\"");
    EXPECT_EQ(Quoted("\xED\xA0\x80"), "\"\\ufffd\"");  // a high surrogate alone
    EXPECT_EQ(Quoted("\xC0\xAF"), "\"\\ufffd\\ufffd\"");
    // A lone low surrogate can be read, and is written back the same way.
    EXPECT_EQ(Rewritten("\"\\udc00x\""), "\"\\udc00x\"");
    auto document = JsonDocument::Parse("[]");
    ASSERT_TRUE(document);
    document->AppendString(document->Root(), "\xED\xA0\x80\xED\xB0\x80\xFF");
    EXPECT_EQ(Rewritten(document->ToText()), document->ToText());
}

TEST(JsonLayout, CompactWithoutAnySpaceOrLineBreak) {
    EXPECT_EQ(Rewritten(" {\r\n \"a\" : [ 1 , { } , [ ] , true , false , null ] ,\t\"b\" : { \"c\" : \"\" } }\n"),
              "{\"a\":[1,{},[],true,false,null],\"b\":{\"c\":\"\"}}");
    EXPECT_EQ(Rewritten("{}"), "{}");
    EXPECT_EQ(Rewritten("[]"), "[]");
    EXPECT_EQ(Rewritten("\"\""), "\"\"");
    EXPECT_EQ(Rewritten("{\"z\":1,\"a\":2,\"m\":3,\"b\":{\"y\":1,\"x\":2}}"), "{\"z\":1,\"a\":2,\"m\":3,\"b\":{\"y\":1,\"x\":2}}");
}

TEST(JsonLayout, EveryByteWrittenIsPlainAscii) {
    std::string text = "{\"names\":[";
    for (unsigned cp = 1; cp < 0x3000; cp += 7) {
        text += "\"\\u";
        const char* hex = "0123456789ABCDEF";
        for (int shift = 12; shift >= 0; shift -= 4) text += hex[(cp >> shift) & 0xF];
        text += "\xF0\x9F\x98\x80\",";
    }
    text += "\"end\"],\"n\":-1.25e-300}";
    const std::string written = Rewritten(text);
    ASSERT_FALSE(written.empty());
    for (unsigned char c : written) ASSERT_TRUE(c >= 0x20 && c <= 0x7f) << int(c);
    EXPECT_EQ(written.find_first_of("ABCDEF"), std::string::npos);
    EXPECT_EQ(Rewritten(written), written);
}

TEST(JsonNumbers, IntegersAreWrittenInFull) {
    EXPECT_EQ(Rewritten("[0,-1,3,9223372036854775807,-9223372036854775808,18446744073709551615]"),
              "[0,-1,3,9223372036854775807,-9223372036854775808,18446744073709551615]");
    EXPECT_EQ(Rewritten("-0"), "0");
}

TEST(JsonNumbers, OtherNumbersKeepFifteenDigitsAndStayNonIntegral) {
    EXPECT_EQ(Number(1.5), "1.5");
    EXPECT_EQ(Number(1.0), "1.0");
    EXPECT_EQ(Number(-0.0), "-0.0");
    EXPECT_EQ(Number(0.0), "0.0");
    EXPECT_EQ(Number(0.1), "0.1");
    EXPECT_EQ(Number(0.1 + 0.2), "0.3");
    EXPECT_EQ(Number(1.0 / 3), "0.333333333333333");
    EXPECT_EQ(Number(-2.0 / 3), "-0.666666666666667");
    EXPECT_EQ(Number(0.0001), "0.0001");
    EXPECT_EQ(Number(0.00001), "1e-05");
    EXPECT_EQ(Number(1.5e-7), "1.5e-07");
    EXPECT_EQ(Number(123456789012345.0), "123456789012345.0");
    EXPECT_EQ(Number(1e15), "1e+15");
    EXPECT_EQ(Number(1234567890123456.0), "1.23456789012346e+15");
    EXPECT_EQ(Number(999999999999999.9), "1e+15");
    EXPECT_EQ(Number(1e20), "1e+20");
    EXPECT_EQ(Number(1.7976931348623157e308), "1.79769313486232e+308");
    EXPECT_EQ(Number(5e-324), "5e-324");
    EXPECT_EQ(Number(std::numeric_limits<double>::quiet_NaN()), "null");
    EXPECT_EQ(Number(-std::numeric_limits<double>::infinity()), "null");
    EXPECT_EQ(Rewritten("[1.5,1.50,1E2,-0.0,1e-7,2.5e+3,3.14159265358979323846]"),
              "[1.5,1.5,100.0,-0.0,1e-07,2500.0,3.14159265358979]");
}

TEST(JsonNumbers, WrittenNumbersReadBackAsTheSameNumberAndForm) {
    std::mt19937_64 random(20240601);
    std::uniform_real_distribution<double> mantissa(-10.0, 10.0);
    std::uniform_int_distribution<int> exponent(-320, 300);
    for (int i = 0; i < 20000; ++i) {
        const double value = i % 2 ? mantissa(random) * std::pow(10.0, exponent(random))
                                   : [&] {
                                         std::uint64_t bits = random();
                                         double d;
                                         std::memcpy(&d, &bits, sizeof d);
                                         return d;
                                     }();
        if (!std::isfinite(value)) continue;
        const std::string written = Number(value);
        ASSERT_LE(SignificantDigits(written), 15) << written;
        auto document = JsonDocument::Parse(written);
        ASSERT_TRUE(document) << written;
        ASSERT_TRUE(document->Root().IsDouble()) << written;
        const double read = document->Root().GetDouble();
        if (std::fabs(value) >= 1e-300) {
            ASSERT_LE(std::fabs(read - value), std::fabs(value) * 5e-15) << written;
        }
        ASSERT_EQ(document->ToText(), written);
    }
}
