#include "platform/Utf.h"

#include <gtest/gtest.h>

TEST(Utf, RoundTripsNonBmpAndAccentedText) {
    const std::string text = "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80";  // café € 😀
    const std::wstring wide = ToWide(text);
    if constexpr (sizeof(wchar_t) == 2) {
        ASSERT_EQ(wide.size(), 9u);  // the emoji takes a surrogate pair
        EXPECT_EQ(wide[7], static_cast<wchar_t>(0xD83D));
        EXPECT_EQ(wide[8], static_cast<wchar_t>(0xDE00));
    } else {
        ASSERT_EQ(wide.size(), 8u);
    }
    EXPECT_EQ(ToUtf8(wide), text);
}

TEST(Utf, ReplacesMalformedInputInsteadOfDroppingIt) {
    EXPECT_EQ(ToWide("a\xFF" "b"), L"a\xFFFD" L"b");
    EXPECT_EQ(ToWide("\xC0\xAF"), L"\xFFFD\xFFFD");          // overlong '/'
    EXPECT_EQ(ToWide("\xED\xA0\x80"), L"\xFFFD\xFFFD\xFFFD");  // encoded surrogate
    EXPECT_EQ(ToWide("\xE2\x82"), L"\xFFFD\xFFFD");          // truncated
    if constexpr (sizeof(wchar_t) == 2) {
        const wchar_t lone[] = {L'x', static_cast<wchar_t>(0xD800), 0};
        EXPECT_EQ(ToUtf8(lone), "x\xEF\xBF\xBD");
    }
}

TEST(Utf, ValidatesStrictly) {
    EXPECT_TRUE(IsValidUtf8(""));
    EXPECT_TRUE(IsValidUtf8("plain \xC3\xA9 \xF4\x8F\xBF\xBF"));
    EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // above U+10FFFF
    EXPECT_FALSE(IsValidUtf8("\xC1\x81"));
    EXPECT_FALSE(IsValidUtf8("\x80"));
    EXPECT_FALSE(IsValidUtf8("\xEF\xBF"));
}

TEST(Utf16Text, JoinsSurrogatePairsAndReplacesLoneHalves) {
    EXPECT_EQ(ToUtf8(std::u16string_view(u"A\u00e9\u4e2d")), "A\xC3\xA9\xE4\xB8\xAD");
    EXPECT_EQ(ToUtf8(std::u16string_view(u"\U0001F600")), "\xF0\x9F\x98\x80");
    const char16_t loneHigh[] = {0xD83D, u'x', 0};
    EXPECT_EQ(ToUtf8(std::u16string_view(loneHigh)), "\xEF\xBF\xBDx");
    const char16_t loneLow[] = {0xDE00, 0};
    EXPECT_EQ(ToUtf8(std::u16string_view(loneLow)), "\xEF\xBF\xBD");
}
