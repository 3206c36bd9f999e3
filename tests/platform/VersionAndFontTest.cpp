#include <gtest/gtest.h>

#include "platform/FontHelpers.h"
#include "platform/VersionInfo.h"

namespace {

const std::wstring kProgram = std::wstring(BRIVO_BIN_DIR) + L"\\BrivoPM.exe";

TEST(VersionResource, OfTheProgramItselfIs1_0_2_50) {
    TFixedFileInfo info;
    GetFixedFileInfo(kProgram, info);
    EXPECT_EQ(info.Signature(), 0xFEEF04BDu);
    EXPECT_EQ(info.FileVersionMS(), (1u << 16) | 0u);
    EXPECT_EQ(info.FileVersionLS(), (2u << 16) | 50u);
    EXPECT_EQ(info.ProductVersionMS(), (1u << 16) | 0u);
    EXPECT_EQ(info.ProductVersionLS(), (2u << 16) | 50u);
    EXPECT_EQ(info.words[9], static_cast<DWORD>(VFT_APP));  // file type
}

TEST(VersionResource, DisplayFormJoinsMinorAndReleaseWithoutPadding) {
    TFixedFileInfo info;
    GetFixedFileInfo(kProgram, info);
    EXPECT_EQ(DisplayVersion(info), L"1.02.50");
    // The test program carries the program's version resource too.
    EXPECT_EQ(ProgramDisplayVersion(), L"1.02.50");
    TFixedFileInfo other;
    other.words[2] = (2u << 16) | 10u;
    other.words[3] = (3u << 16) | 7u;
    EXPECT_EQ(DisplayVersion(other), L"2.103.7");
}

TEST(VersionResource, LeavesTheRecordAloneWithoutOne) {
    TFixedFileInfo info;
    for (DWORD& w : info.words) w = 0xABCD;
    GetFixedFileInfo(std::wstring(BRIVO_BIN_DIR) + L"\\missing.exe", info);
    // A file without version resource: a language file.
    GetFixedFileInfo(std::wstring(BRIVO_BIN_DIR) + L"\\Languages\\English.ini", info);
    for (DWORD w : info.words) EXPECT_EQ(w, 0xABCDu);
}

LOGFONTW FontOf(HFONT font) {
    LOGFONTW description = {};
    EXPECT_NE(GetObjectW(font, sizeof(description), &description), 0);
    return description;
}

UniqueFont MakeFont(const wchar_t* face, LONG height, BYTE charset, LONG weight, BYTE italic) {
    LOGFONTW description = {};
    wcscpy(description.lfFaceName, face);
    description.lfHeight = height;
    description.lfCharSet = charset;
    description.lfWeight = weight;
    description.lfItalic = italic;
    return UniqueFont(CreateFontIndirectW(&description));
}

TEST(Fonts, CopyTakesNameCharsetAndSizeButKeepsTheStyle) {
    UniqueFont target = MakeFont(L"Tahoma", -11, ANSI_CHARSET, FW_BOLD, TRUE);
    const UniqueFont source = MakeFont(L"SimSun", -12, GB2312_CHARSET, FW_NORMAL, FALSE);
    ASSERT_TRUE(target && source);
    CopyFont(target, source.get());
    const LOGFONTW copied = FontOf(target.get());
    EXPECT_STREQ(copied.lfFaceName, L"SimSun");
    EXPECT_EQ(copied.lfCharSet, GB2312_CHARSET);
    EXPECT_EQ(copied.lfHeight, -12);
    EXPECT_EQ(copied.lfWeight, FW_BOLD);
    EXPECT_EQ(copied.lfItalic, TRUE);
    // The source is untouched.
    EXPECT_EQ(FontOf(source.get()).lfWeight, FW_NORMAL);
}

TEST(Fonts, CopyFromNothingKeepsTheTarget) {
    UniqueFont target = MakeFont(L"Tahoma", -11, ANSI_CHARSET, FW_NORMAL, FALSE);
    const HFONT before = target.get();
    CopyFont(target, nullptr);
    EXPECT_EQ(target.get(), before);
    UniqueFont empty;
    const UniqueFont source = MakeFont(L"Tahoma", -11, ANSI_CHARSET, FW_NORMAL, FALSE);
    CopyFont(empty, source.get());
    EXPECT_FALSE(empty);
}

}  // namespace
