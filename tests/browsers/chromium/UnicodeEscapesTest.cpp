#include "browsers/chromium/UnicodeEscapes.h"

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "browsers/chromium/NaiveUnicodeEscapes.h"
#include "platform/Utf.h"

namespace {

std::u16string Decoded(std::u16string text) {
    DecodeUnicodeEscapes(text);
    return text;
}

std::wstring Decoded(std::wstring text) {
    DecodeUnicodeEscapes(text);
    return text;
}

std::string Decoded(std::string text) {
    DecodeUnicodeEscapes(text);
    return text;
}

std::u16string Repeated(const std::u16string& piece, int times) {
    std::u16string text;
    for (int i = 0; i < times; ++i) text += piece;
    return text;
}

// Every text over the alphabet up to the given length, shortest first.
void ForEachText(const std::u16string& alphabet, std::size_t maxLength,
                 const std::function<void(const std::u16string&)>& visit) {
    for (std::size_t length = 0; length <= maxLength; ++length) {
        std::vector<std::size_t> letter(length, 0);
        std::u16string text(length, alphabet[0]);
        for (;;) {
            visit(text);
            std::size_t i = 0;
            while (i < length && ++letter[i] == alphabet.size()) {
                letter[i] = 0;
                text[i] = alphabet[0];
                ++i;
            }
            if (i == length) break;
            text[i] = alphabet[letter[i]];
        }
    }
}


}  // namespace

TEST(UnicodeEscapes, TextWithoutBackslashULeftAsItIs) {
    EXPECT_EQ(Decoded(u""), u"");
    EXPECT_EQ(Decoded(u"Adblock Plus"), u"Adblock Plus");
    EXPECT_EQ(Decoded(u"a\\b\\\\c\\n\\x41\\"), u"a\\b\\\\c\\n\\x41\\");
    EXPECT_EQ(Decoded(u"\\U0041"), u"\\U0041");
    EXPECT_EQ(Decoded(L"\\U0041 \\t"), L"\\U0041 \\t");
    // Not even malformed UTF-8 is touched when there is nothing to decode.
    EXPECT_EQ(Decoded(std::string("bad \xFF\xC0 bytes \\x")), "bad \xFF\xC0 bytes \\x");
}

TEST(UnicodeEscapes, EscapesBecomeTheirCodeUnits) {
    EXPECT_EQ(Decoded(u"Caf\\u00e9"), u"Caf\u00e9");
    EXPECT_EQ(Decoded(L"Caf\\u00e9"), L"Caf\u00e9");
    EXPECT_EQ(Decoded(std::string("Caf\\u00e9")), "Caf\xC3\xA9");
    EXPECT_EQ(Decoded(u"A\\u0042\\u0043"), u"ABC");
    EXPECT_EQ(Decoded(u"\\u00C9t\\u00e9 \\u00c9T\\u00E9"), u"\u00c9t\u00e9 \u00c9T\u00e9");
    EXPECT_EQ(Decoded(u"\\u4e2d\\u6587!"), u"\u4e2d\u6587!");
    EXPECT_EQ(Decoded(u"\\u00410"), u"A0");  // only four digits belong to the escape
    const std::u16string withNul = Decoded(u"a\\u0000b");
    EXPECT_EQ(withNul, std::u16string(u"a\0b", 3));
}

TEST(UnicodeEscapes, EscapeCutShortByTheEndOfTheTextUsesTheDigitsThere) {
    EXPECT_EQ(Decoded(u"x\\u41"), u"xA");
    EXPECT_EQ(Decoded(u"\\u7"), std::u16string(1, char16_t{7}));
    EXPECT_EQ(Decoded(u"\\u414"), std::u16string(1, char16_t{0x414}));
    EXPECT_EQ(Decoded(std::string("end \\u41")), "end A");
}

TEST(UnicodeEscapes, EscapedSurrogatePairGivesOneCharacter) {
    EXPECT_EQ(Decoded(u"\\ud83d\\ude00!"), u"\U0001F600!");
    EXPECT_EQ(Decoded(L"\\uD83D\\uDE00!"), L"\U0001F600!");
    EXPECT_EQ(Decoded(std::string("\\ud83d\\ude00!")), "\xF0\x9F\x98\x80!");
    // UTF-8 cannot hold a lone half.
    EXPECT_EQ(Decoded(std::string("a\\ud83d b")), "a\xEF\xBF\xBD b");
    EXPECT_EQ(Decoded(std::string("\\ude00\\ud83d")), "\xEF\xBF\xBD\xEF\xBF\xBD");
    // Characters outside the BMP pass through next to escapes.
    EXPECT_EQ(Decoded(L"\U0001F600\\u0041\U0001F600"), L"\U0001F600A\U0001F600");
    EXPECT_EQ(Decoded(std::string("\xF0\x9F\x98\x80\\u0041")), "\xF0\x9F\x98\x80" "A");
}

TEST(UnicodeEscapes, EscapeFormedByADecodingIsDecodedInTurn) {
    EXPECT_EQ(Decoded(u"\\u005cu0041"), u"A");
    EXPECT_EQ(Decoded(std::string("[\\u005cu0041]")), "[A]");
    EXPECT_EQ(Decoded(u"\\u005c\\u00750041"), u"A");    // backslash and u both escaped
    EXPECT_EQ(Decoded(u"\\u005\\u0063u0041"), u"A");    // last digit of the outer escape escaped
    EXPECT_EQ(Decoded(u"\\u00\\u0041"), u"\n");         // "\u00A" at the end of the text
    EXPECT_EQ(Decoded(u"\\u005c\\u005cu0041"), u"\\A");
    EXPECT_EQ(Decoded(u"\\u\\u\\u0041"), u"\\u\n");      // "\u\uA", then "\uA" at the end
    // Nested three deep: \u005c -> "\", then \u0035 -> "5" completes "\u005c" again.
    EXPECT_EQ(Decoded(u"\\u005cu00\\u0035cu0041"), u"A");
}

TEST(UnicodeEscapes, UndecodableBackslashUIsKeptAndDecodingGoesOn) {
    EXPECT_EQ(Decoded(u"C:\\users\\me\\u0041"), u"C:\\users\\meA");
    EXPECT_EQ(Decoded(u"\\uZZZZ"), u"\\uZZZZ");
    EXPECT_EQ(Decoded(u"\\u"), u"\\u");
    EXPECT_EQ(Decoded(u"x\\u"), u"x\\u");
    EXPECT_EQ(Decoded(u"\\u\\u"), u"\\u\\u");
    EXPECT_EQ(Decoded(u"\\u005cuZZZZ"), u"\\uZZZZ");
    EXPECT_EQ(Decoded(u"\\u12 and \\u0041"), u"\\u12 and A");
    EXPECT_EQ(Decoded(u"\\u00g1\\u0042"), u"\\u00g1B");
    EXPECT_EQ(Decoded(u"\\u-123\\u+123"), u"\\u-123\\u+123");
    EXPECT_EQ(Decoded(u"C:\\Program Files\\ucad\\x"), u"C:\\Program Files\\ucad\\x");
    EXPECT_EQ(Decoded(std::string("C:\\users\\u00e9")), "C:\\users\xC3\xA9");

    const std::u16string run = Repeated(u"\\u", 50000);
    EXPECT_EQ(Decoded(run), run);
    EXPECT_EQ(Decoded(run + u"0041"), Repeated(u"\\u", 49998) + u"\n");
}

TEST(UnicodeEscapes, LongTextWithManyEscapesDecodesCompletely) {
    const std::u16string text = Repeated(u"ab\\u0063\\u005cu0064", 20000);
    EXPECT_EQ(Decoded(text), Repeated(u"abcd", 20000));
    const std::u16string chain = Repeated(u"\\u005c", 30000) + u"u0041";
    EXPECT_EQ(Decoded(chain), Repeated(u"\\", 29999) + u"A");
}

TEST(UnicodeEscapes, AgreesWithTheRestartLoopOnEveryShortText) {
    // Letters from which decodings build new escapes: 005c is a backslash,
    // 0075 a "u", 0030 and 0063 digits.
    int compared = 0;
    ForEachText(u"\\u05c7x", 7, [&](const std::u16string& text) {
        ++compared;
        ASSERT_EQ(Decoded(text), NaiveDecodeUnicodeEscapes(text)) << "input size " << text.size();
    });
    EXPECT_GT(compared, 900000);
}

TEST(UnicodeEscapes, AgreesWithTheRestartLoopOnRandomTexts) {
    const std::u16string pieces[] = {u"\\", u"\\u", u"u", u"0", u"0", u"5", u"c",  u"7",
                                     u"A",  u"3",   u"a", u"f", u"F", u"g", u" ", u"\u00e9",
                                     u"\U0001F600"};
    std::mt19937 random(20240611);
    for (int round = 0; round < 20000; ++round) {
        std::u16string text;
        const int count = static_cast<int>(random() % 48);
        for (int i = 0; i < count; ++i) text += pieces[random() % std::size(pieces)];
        const std::u16string expected = NaiveDecodeUnicodeEscapes(text);
        ASSERT_EQ(Decoded(text), expected);

        // The UTF-8 and wide forms give the same characters.
        const std::string utf8 = ToUtf8(text);
        ASSERT_EQ(Decoded(utf8), ToUtf8(expected));
        ASSERT_EQ(ToUtf8(Decoded(ToWide(utf8))), ToUtf8(expected));
    }
}
