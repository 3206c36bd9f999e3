// What the reviews window makes of the service's texts before drawing them,
// and the nickname's 25-character rule.
#include <gtest/gtest.h>

#include <string>

#include "ui/ReviewText.h"

namespace {

struct LineCase {
    std::wstring given;
    std::wstring shown;
};

class PlainLineTest : public ::testing::TestWithParam<LineCase> {};

TEST_P(PlainLineTest, KeepsTheTextAndDropsWhatWouldNotDraw) {
    EXPECT_EQ(PlainLine(GetParam().given, 200), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, PlainLineTest,
    ::testing::Values(
        // Markup and prefix characters are text like any other.
        LineCase{L"&Tom <b>bold</b> &amp; co", L"&Tom <b>bold</b> &amp; co"},
        LineCase{L"red\r\ncat\tand\ndog\rfox", L"red cat and dog fox"},
        LineCase{std::wstring(L"a\x01" L"b\x1b" L"c\x7f" L"d\x85" L"e") + wchar_t(0) + L"f", L"abcdef"},
        // An unclosed right-to-left override would turn the rest around.
        LineCase{L"abc\x202E" L"gnp.exe", L"abcgnp.exe"},
        LineCase{L"M\x00FCller \x5C0F\x660E \x0418\x0432\x0430\x043D", L"M\x00FCller \x5C0F\x660E \x0418\x0432\x0430\x043D"},
        LineCase{L"", L""}));

TEST(PlainLine, CutsALongLineWithAnEllipsisInsideTheLimit) {
    EXPECT_EQ(PlainLine(L"abcdef", 6), L"abcdef");
    EXPECT_EQ(PlainLine(L"abcdefg", 6), L"abcde\x2026");
    const std::wstring shown = PlainLine(std::wstring(5000, L'w'), 200);
    EXPECT_EQ(shown.size(), 200u);
    EXPECT_EQ(shown.back(), L'\x2026');
}

TEST(PlainParagraphs, KeepsLineBreaksInOneFormAndCutsLongTexts) {
    EXPECT_EQ(PlainParagraphs(L"one\r\ntwo\nthree\rfour\x2028" L"five", 100), L"one\r\ntwo\r\nthree\r\nfour\r\nfive");
    EXPECT_EQ(PlainParagraphs(L"a\tb\x01" L"c", 100), L"a bc");
    // Cut inside the limit, never after a bare line break.
    EXPECT_EQ(PlainParagraphs(L"first line\r\nsecond", 13), L"first line\x2026");
    const std::wstring word(5000, L'x');
    const std::wstring shown = PlainParagraphs(L"&<b>" + word + L"</b>", 4000);
    EXPECT_EQ(shown.size(), 4000u);
    EXPECT_EQ(shown.substr(0, 5), L"&<b>x");
    EXPECT_EQ(shown.back(), L'\x2026');
}

TEST(PlainParagraphs, NeverSplitsASurrogatePairAndMendsBrokenOnes) {
    if (sizeof(wchar_t) != 2) GTEST_SKIP() << "wide text holds code points here";
    const std::wstring pair = L"\xD83D\xDE00";  // one emoji
    EXPECT_EQ(PlainParagraphs(pair + L"ok", 10), pair + L"ok");
    // The cut would fall between the two halves: the whole pair goes.
    EXPECT_EQ(PlainParagraphs(L"ab" + pair + L"cdef", 4), L"ab\x2026");
    EXPECT_EQ(PlainParagraphs(L"a\xD83D" L"b\xDE00" L"c", 10), L"a\xFFFD" L"b\xFFFD" L"c");
}

TEST(NicknameKeyAccepted, RefusesTypingAtTwentyFiveCharactersButNotTheEditingKeys) {
    EXPECT_TRUE(NicknameKeyAccepted(0, 0, L'a'));
    EXPECT_TRUE(NicknameKeyAccepted(24, 0, L'a'));
    EXPECT_FALSE(NicknameKeyAccepted(25, 0, L'a'));
    EXPECT_FALSE(NicknameKeyAccepted(40, 0, L'\x5C0F'));
    for (const wchar_t key : {1, 3, 8, 13, 22, 24, 26, 27}) EXPECT_TRUE(NicknameKeyAccepted(25, 0, key)) << int(key);
    // Other control characters count as typed ones.
    EXPECT_FALSE(NicknameKeyAccepted(25, 0, 2));
    // A typed character that replaces a selection leaves the text no longer.
    EXPECT_TRUE(NicknameKeyAccepted(25, 1, L'a'));
    EXPECT_TRUE(NicknameKeyAccepted(30, 10, L'a'));
    EXPECT_FALSE(NicknameKeyAccepted(30, 5, L'a'));
}

}  // namespace
