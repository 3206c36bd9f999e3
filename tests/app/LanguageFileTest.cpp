#include "app/LanguageFile.h"

#include <gtest/gtest.h>

#include <string>

namespace {

std::string Utf16Bytes(std::u16string_view text, bool bigEndian) {
    std::string bytes = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char16_t unit : text) {
        const char hi = static_cast<char>(unit >> 8);
        const char lo = static_cast<char>(unit & 0xFF);
        bytes += bigEndian ? hi : lo;
        bytes += bigEndian ? lo : hi;
    }
    return bytes;
}

// Stands in for the ANSI code page: Latin-1, marked so tests see it was used.
std::string Latin1ToUtf8(std::string_view bytes) {
    std::string out = "<ansi>";
    for (unsigned char c : bytes) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

std::string ValueOr(const LanguageFile& file, std::string_view section, std::string_view key) {
    return file.Value(section, key).value_or("<missing>");
}

}  // namespace

TEST(LanguageFileEncoding, ByteOrderMarkDecidesTheEncoding) {
    const std::u16string text = u"[Lang]\r\nNativeLanguage = \u0420\u0443\u0441\u0441\u043A\u0438\u0439 \U0001F600\r\n";
    const std::string expected = "\xD0\xA0\xD1\x83\xD1\x81\xD1\x81\xD0\xBA\xD0\xB8\xD0\xB9 \xF0\x9F\x98\x80";

    const LanguageFile le = LanguageFile::ParseBytes(Utf16Bytes(text, false), Latin1ToUtf8);
    EXPECT_EQ(ValueOr(le, "Lang", "NativeLanguage"), expected);
    const LanguageFile be = LanguageFile::ParseBytes(Utf16Bytes(text, true), Latin1ToUtf8);
    EXPECT_EQ(ValueOr(be, "Lang", "NativeLanguage"), expected);
    const LanguageFile utf8 =
        LanguageFile::ParseBytes("\xEF\xBB\xBF[Lang]\nNativeLanguage = " + expected + "\n", Latin1ToUtf8);
    EXPECT_EQ(ValueOr(utf8, "Lang", "NativeLanguage"), expected);
}

TEST(LanguageFileEncoding, FileWithoutMarkIsReadInTheAnsiCodePage) {
    const std::string text = DecodeLanguageFileBytes("[Lang]\nName = Fran\xE7" "ais\n", Latin1ToUtf8);
    EXPECT_EQ(text, "<ansi>[Lang]\nName = Fran\xC3\xA7" "ais\n");
    // With a mark the ANSI decoder is not consulted.
    EXPECT_EQ(DecodeLanguageFileBytes("\xEF\xBB\xBFx", Latin1ToUtf8), "x");
}

TEST(LanguageFileEncoding, MalformedTextBecomesReplacementCharactersNotLoss) {
    const std::string replacement = "\xEF\xBF\xBD";
    // Bad UTF-8 after a UTF-8 mark.
    EXPECT_EQ(DecodeLanguageFileBytes("\xEF\xBB\xBF" "a\xFF" "b", Latin1ToUtf8), "a" + replacement + "b");
    // A lone high surrogate, a lone low surrogate and an odd trailing byte.
    std::string bytes = Utf16Bytes(u"a", false);
    bytes += std::string("\x00\xD8", 2) + "b" + std::string(1, '\0') + std::string("\x00\xDC", 2) + "c";
    EXPECT_EQ(DecodeLanguageFileBytes(bytes, Latin1ToUtf8), "a" + replacement + "b" + replacement + replacement);
    // A decoder that hands back bad UTF-8 cannot spoil the result either.
    const AnsiDecoder broken = [](std::string_view) { return std::string("x\xC0y"); };
    EXPECT_EQ(DecodeLanguageFileBytes("q", broken), "x" + replacement + "y");
}

TEST(LanguageFileEncoding, SecondMarkAtTheStartIsDropped) {
    const LanguageFile file = LanguageFile::ParseBytes(Utf16Bytes(u"\uFEFF[Lang]\nA = 1\n", false), Latin1ToUtf8);
    EXPECT_EQ(ValueOr(file, "Lang", "A"), "1");
}

TEST(LanguageFileEncoding, EmptyAndMarkOnlyInputsGiveNoSections) {
    for (const std::string& bytes : {std::string(), std::string("\xFF\xFE"), std::string("\xFE\xFF"),
                                     std::string("\xEF\xBB\xBF"), std::string("\xFF\xFE\x41")}) {
        EXPECT_TRUE(LanguageFile::ParseBytes(bytes, Latin1ToUtf8).SectionNames().empty());
    }
}

TEST(LanguageFileLines, BlanksCommentsAndTextBeforeTheFirstSection) {
    const LanguageFile file = LanguageFile::ParseUtf8(
        "Orphan = before any section\n"
        "; comment = not a key\n"
        "\t[  Translation  ]  \n"
        "\n"
        "   ; indented comment\n"
        "  Key One \t=\t  spaced value  \n"
        "Equation = a = b = c\n"
        "NoEquals\n"
        "Empty =\n"
        "Semi = text ; not a comment\n");
    EXPECT_EQ(file.SectionNames(), std::vector<std::string>{"Translation"});
    EXPECT_EQ(ValueOr(file, "Translation", "Key One"), "spaced value");
    EXPECT_EQ(ValueOr(file, "Translation", "Equation"), "a = b = c");
    EXPECT_EQ(ValueOr(file, "Translation", "NoEquals"), "");
    EXPECT_EQ(ValueOr(file, "Translation", "Empty"), "");
    EXPECT_EQ(ValueOr(file, "Translation", "Semi"), "text ; not a comment");
    EXPECT_EQ(ValueOr(file, "Translation", "Orphan"), "<missing>");
    EXPECT_EQ(ValueOr(file, "Translation", "; comment"), "<missing>");
    EXPECT_EQ(file.Keys("Translation"),
              (std::vector<std::string>{"Key One", "Equation", "NoEquals", "Empty", "Semi"}));
}

TEST(LanguageFileLines, EveryLineEndingEndsALine) {
    const LanguageFile file = LanguageFile::ParseUtf8("[S]\r\nA = 1\rB = 2\nC = 3\r\n\r\nD = 4");
    EXPECT_EQ(ValueOr(file, "S", "A"), "1");
    EXPECT_EQ(ValueOr(file, "S", "B"), "2");
    EXPECT_EQ(ValueOr(file, "S", "C"), "3");
    EXPECT_EQ(ValueOr(file, "S", "D"), "4");
}

TEST(LanguageFileLines, OnlyABracketedLineOpensASection) {
    const LanguageFile file = LanguageFile::ParseUtf8("[S]\n[Broken\nx] = y\n[T] extra\n[]\nE = empty name\n");
    EXPECT_EQ(ValueOr(file, "S", "[Broken"), "");
    EXPECT_EQ(ValueOr(file, "S", "x]"), "y");
    EXPECT_EQ(ValueOr(file, "S", "[T] extra"), "");
    EXPECT_FALSE(file.HasSection("T"));
    EXPECT_EQ(ValueOr(file, "", "E"), "empty name");
}

TEST(LanguageFileLookup, SectionsAndKeysIgnoreAsciiCase) {
    const LanguageFile file = LanguageFile::ParseUtf8("[Translation]\nTfrmAbout.lblEmail.caption = Email Support:\n");
    EXPECT_EQ(ValueOr(file, "TRANSLATION", "tfrmabout.lblemail.CAPTION"), "Email Support:");
    EXPECT_TRUE(file.HasSection("translation"));
    // Letters outside ASCII are compared as written.
    const LanguageFile cyrillic = LanguageFile::ParseUtf8("[S]\n\xD0\x90 = upper\n");
    EXPECT_EQ(ValueOr(cyrillic, "s", "\xD0\x90"), "upper");
    EXPECT_EQ(ValueOr(cyrillic, "s", "\xD0\xB0"), "<missing>");
}

TEST(LanguageFileLookup, LaterDuplicateWinsAndRepeatedSectionsMerge) {
    const LanguageFile file = LanguageFile::ParseUtf8(
        "[Translation]\nTfrmKoltMain.Ratings = Ratings\nA = 1\n"
        "[Messages]\nM = m\n"
        "[translation]\ntfrmkoltmain.ratings = Details\nB = 2\n");
    EXPECT_EQ(ValueOr(file, "Translation", "TfrmKoltMain.Ratings"), "Details");
    EXPECT_EQ(ValueOr(file, "Translation", "A"), "1");
    EXPECT_EQ(ValueOr(file, "Translation", "B"), "2");
    EXPECT_EQ(file.SectionNames(), (std::vector<std::string>{"Translation", "Messages"}));
    EXPECT_EQ(file.Keys("Translation"), (std::vector<std::string>{"TfrmKoltMain.Ratings", "A", "B"}));
    EXPECT_TRUE(file.Keys("Nowhere").empty());
    EXPECT_EQ(ValueOr(file, "Nowhere", "A"), "<missing>");
}

TEST(LanguageFileLookup, FoldingTouchesOnlyAsciiLetters) {
    EXPECT_EQ(FoldAsciiCase("AbC.Z_09\xC3\x84"), "abc.z_09\xC3\x84");
}
