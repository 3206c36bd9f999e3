#include "AppShellFixture.h"

#include "app/LanguageFonts.h"

namespace {

class LanguageFontsTest : public AppShellTest {
protected:
    static BYTE StockCharset() {
        LOGFONTW font{};
        GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
        return font.lfCharSet;
    }
    void UseLanguage(const std::string& utf8) {
        WriteLanguage(L"Fonts", utf8);
        SetLanguageFilePath(LanguagePath(L"Fonts"));
    }
};

}  // namespace

TEST_F(LanguageFontsTest, MissingFileGivesTahomaEightAndTheStockCharset) {
    EXPECT_EQ(GetLanguageFontName(), L"Tahoma");
    EXPECT_EQ(GetLanguageFontSize(), 8);
    EXPECT_EQ(GetLanguageCharset(), StockCharset());
}

TEST_F(LanguageFontsTest, TheFileNamesFaceSizeAndCharset) {
    UseLanguage("[Translation]\nDefaultFont = SimSun\nDefaultFontSize = 9\nDefaultCharset = gb2312_charset\n");
    EXPECT_EQ(GetLanguageFontName(), L"SimSun");
    EXPECT_EQ(GetLanguageFontSize(), 9);
    EXPECT_EQ(GetLanguageCharset(), GB2312_CHARSET);
}

TEST_F(LanguageFontsTest, MissingKeysGiveTheDefaults) {
    UseLanguage("[Translation]\nLangCode = 0419\n[Fonts]\nDefaultFont = Wrong section\n");
    EXPECT_EQ(GetLanguageFontName(), L"Tahoma");
    EXPECT_EQ(GetLanguageFontSize(), 8);
    EXPECT_EQ(GetLanguageCharset(), ANSI_CHARSET);
}

TEST_F(LanguageFontsTest, UnusableValuesGiveTheDefaults) {
    UseLanguage("[Translation]\nDefaultFont =\nDefaultFontSize = large\nDefaultCharset = KLINGON_CHARSET\n");
    EXPECT_EQ(GetLanguageFontName(), L"Tahoma");
    EXPECT_EQ(GetLanguageFontSize(), 8);
    EXPECT_EQ(GetLanguageCharset(), StockCharset());
    UseLanguage("[Translation]\nDefaultFontSize = 0\n");
    EXPECT_EQ(GetLanguageFontSize(), 8);
    UseLanguage("[Translation]\nDefaultFontSize = 0x0A\n");
    EXPECT_EQ(GetLanguageFontSize(), 10);
}

TEST_F(LanguageFontsTest, FontIsReadFromDiskOnEveryCall) {
    UseLanguage("[Translation]\nDefaultFont = Arial\nDefaultCharset = RUSSIAN_CHARSET\n");
    EXPECT_EQ(Translate(L"Translation", L"DefaultFont", L""), L"Arial");  // loads the copy
    EXPECT_EQ(GetLanguageCharset(), RUSSIAN_CHARSET);
    WriteLanguage(L"Fonts", "[Translation]\nDefaultFont = Verdana\nDefaultCharset = GREEK_CHARSET\n");
    EXPECT_EQ(GetLanguageFontName(), L"Verdana");
    EXPECT_EQ(GetLanguageCharset(), GREEK_CHARSET);
    EXPECT_EQ(Translate(L"Translation", L"DefaultFont", L""), L"Arial");  // the copy is not reloaded
}

TEST_F(LanguageFontsTest, CharsetNamesMapToTheGdiValues) {
    const std::pair<const char*, BYTE> names[] = {
        {"ANSI_CHARSET", ANSI_CHARSET},         {"DEFAULT_CHARSET", DEFAULT_CHARSET},
        {"SYMBOL_CHARSET", SYMBOL_CHARSET},     {"MAC_CHARSET", MAC_CHARSET},
        {"SHIFTJIS_CHARSET", SHIFTJIS_CHARSET}, {"HANGEUL_CHARSET", HANGEUL_CHARSET},
        {"JOHAB_CHARSET", JOHAB_CHARSET},       {"GB2312_CHARSET", GB2312_CHARSET},
        {"CHINESEBIG5_CHARSET", CHINESEBIG5_CHARSET}, {"GREEK_CHARSET", GREEK_CHARSET},
        {"TURKISH_CHARSET", TURKISH_CHARSET},   {"HEBREW_CHARSET", HEBREW_CHARSET},
        {"ARABIC_CHARSET", ARABIC_CHARSET},     {"BALTIC_CHARSET", BALTIC_CHARSET},
        {"RUSSIAN_CHARSET", RUSSIAN_CHARSET},   {"THAI_CHARSET", THAI_CHARSET},
        {"EASTEUROPE_CHARSET", EASTEUROPE_CHARSET}, {"OEM_CHARSET", OEM_CHARSET},
    };
    for (const auto& [name, value] : names) {
        UseLanguage(std::string("[Translation]\nDefaultCharset = ") + name + "\n");
        EXPECT_EQ(GetLanguageCharset(), value) << name;
    }
}
