#include "AppShellFixture.h"

#include "app/LanguageFile.h"

namespace {

constexpr char kGerman[] =
    "; comment\n"
    "[Translation]\n"
    "TfrmKoltMain.lbl1.Caption = Gefundene Plug-ins: %d\n"
    "TfrmKoltMain.lbl3.Caption =\n"
    "TfrmAbout.lblEmail.caption = E-Mail-Support:\n"
    "OnlyHere = nur hier\n"
    "[Messages]\n"
    "BIsRuning = Der Browser läuft.\n";

std::string RepositoryFile(const std::wstring& relative) {
    return ReadFileBytes(std::wstring(BRIVO_SOURCE_DIR) + L"\\" + relative);
}

class TranslateTest : public AppShellTest {};

}  // namespace

TEST_F(TranslateTest, BuiltInEnglishAnswersWhenNoLanguageFileExists) {
    EXPECT_EQ(Translate(L"Translation", L"TfrmKoltMain.lbl3.Caption", L"x"), L"Check for Updates");
    EXPECT_EQ(Translate(L"Messages", L"ACCESSDENIED", L""),
              L"You have no permission to access the browser configuration information. "
              L"Please contact the administrator.");
    EXPECT_EQ(Translate(L"Lang", L"NativeLanguage", L""), L"English");
    EXPECT_EQ(Translate(L"Translation", L"TfrmKoltMain.Ratings", L""), L"Details");  // the later line
}

TEST_F(TranslateTest, BuiltInCopyHoldsTheWholeEnglishFile) {
    const LanguageFile english = LanguageFile::ParseUtf8(RepositoryFile(L"Languages\\English.ini"));
    ASSERT_FALSE(english.SectionNames().empty());
    size_t checked = 0;
    for (const std::string& section : english.SectionNames()) {
        for (const std::string& key : english.Keys(section)) {
            EXPECT_EQ(ToUtf8(Translate(ToWide(section), ToWide(key), L"<default>")), *english.Value(section, key))
                << section << "/" << key;
            ++checked;
        }
    }
    EXPECT_GE(checked, 90u);
}

TEST_F(TranslateTest, LanguageFileFirstThenBuiltInThenTheDefault) {
    WriteLanguage(L"Deutsch", kGerman);
    SetLanguageFilePath(LanguagePath(L"Deutsch"));
    EXPECT_EQ(Translate(L"Translation", L"TfrmKoltMain.lbl1.Caption", L"x"), L"Gefundene Plug-ins: %d");
    EXPECT_EQ(Translate(L"Messages", L"BIsRuning", L"x"), L"Der Browser läuft.");
    EXPECT_EQ(Translate(L"Translation", L"OnlyHere", L"x"), L"nur hier");
    // An empty value never hides the built-in text.
    EXPECT_EQ(Translate(L"Translation", L"TfrmKoltMain.lbl3.Caption", L"x"), L"Check for Updates");
    // Missing here, present in the built-in copy.
    EXPECT_EQ(Translate(L"Messages", L"NewVer", L"x"), L"Newer version available! Update now?");
    // Missing in both copies.
    EXPECT_EQ(Translate(L"Translation", L"TfrmNowhere.Caption", L"Fallback"), L"Fallback");
    EXPECT_EQ(Translate(L"Translation", L"TfrmNowhere.Caption", L""), L"");
    EXPECT_EQ(Translate(L"NoSuchSection", L"Confirm", L"d"), L"d");
}

TEST_F(TranslateTest, EmptySectionOrKeyGivesEmptyTextNotTheDefault) {
    EXPECT_EQ(Translate(L"Translation", L"", L"Default"), L"");
    EXPECT_EQ(Translate(L"", L"Confirm", L"Default"), L"");
}

TEST_F(TranslateTest, SectionsAndKeysIgnoreLetterCase) {
    WriteLanguage(L"Deutsch", kGerman);
    SetLanguageFilePath(LanguagePath(L"Deutsch"));
    EXPECT_EQ(Translate(L"translation", L"TfrmAbout.lblemail.caption", L""), L"E-Mail-Support:");
    SetLanguageFilePath(LanguagePath(L"Missing"));
    EXPECT_EQ(Translate(L"TRANSLATION", L"tfrmabout.LBLEMAIL.caption", L""), L"Email Support:");
}

TEST_F(TranslateTest, MissingFileIsTriedAgainOnEveryLookupButALoadedOneIsKept) {
    SetLanguageFilePath(LanguagePath(L"Later"));
    EXPECT_EQ(Translate(L"Translation", L"OnlyHere", L"none"), L"none");
    WriteLanguage(L"Later", "[Translation]\nOnlyHere = first\n");
    EXPECT_EQ(Translate(L"Translation", L"OnlyHere", L"none"), L"first");
    // Loaded once: a change on disk shows only after a reload.
    WriteLanguage(L"Later", "[Translation]\nOnlyHere = second\n");
    EXPECT_EQ(Translate(L"Translation", L"OnlyHere", L"none"), L"first");
    ReloadLanguageFile();
    EXPECT_EQ(Translate(L"Translation", L"OnlyHere", L"none"), L"second");
}

TEST_F(TranslateTest, LanguageFileHeldOpenByAnotherProgramFallsBackToBuiltIn) {
    WriteLanguage(L"Deutsch", kGerman);
    SetLanguageFilePath(LanguagePath(L"Deutsch"));
    {
        const FileHeldOpen held(LanguagePath(L"Deutsch"));
        ASSERT_TRUE(held.Held());
        EXPECT_EQ(Translate(L"Translation", L"TfrmKoltMain.lbl1.Caption", L""), L"%d plug-ins were found");
    }
    EXPECT_EQ(Translate(L"Translation", L"TfrmKoltMain.lbl1.Caption", L""), L"Gefundene Plug-ins: %d");
}

TEST_F(TranslateTest, WithoutTheBuiltInResourceLookupsEndWithTheDefault) {
    LoadEmbeddedLanguageFrom(GetModuleHandleW(L"kernel32.dll"));
    EXPECT_EQ(Translate(L"Translation", L"TfrmKoltMain.lbl3.Caption", L"Default"), L"Default");
    WriteLanguage(L"Deutsch", kGerman);
    SetLanguageFilePath(LanguagePath(L"Deutsch"));
    EXPECT_EQ(Translate(L"Translation", L"OnlyHere", L"Default"), L"nur hier");
    EXPECT_EQ(Translate(L"Translation", L"TfrmKoltMain.lbl3.Caption", L"Default"), L"Default");
    LoadEmbeddedLanguage();
    EXPECT_EQ(Translate(L"Translation", L"TfrmKoltMain.lbl3.Caption", L"Default"), L"Check for Updates");
}

TEST_F(TranslateTest, EveryByteOrderMarkOnDisk) {
    const std::string text = "[Lang]\nNativeLanguage = Fran\xC3\xA7" "ais \xE4\xB8\xAD \xF0\x9F\x98\x80\n";
    const std::wstring expected = L"Fran\u00E7ais \u4E2D \U0001F600";
    const std::wstring wide = ToWide(text);

    WriteFileBytes(LanguagePath(L"Utf8"), "\xEF\xBB\xBF" + text);
    std::string be = "\xFE\xFF";
    for (wchar_t unit : wide) {
        be += static_cast<char>((unit >> 8) & 0xFF);
        be += static_cast<char>(unit & 0xFF);
    }
    WriteFileBytes(LanguagePath(L"Utf16Be"), be);
    WriteLanguage(L"Utf16Le", text);
    for (const wchar_t* name : {L"Utf8", L"Utf16Be", L"Utf16Le"}) {
        SetLanguageFilePath(LanguagePath(name));
        EXPECT_EQ(Translate(L"Lang", L"NativeLanguage", L""), expected) << name;
    }
}

TEST_F(TranslateTest, FileWithoutMarkIsReadInTheAnsiCodePage) {
    std::string ansi;
    std::wstring ansiExpected;
    switch (GetACP()) {
    case 1252: ansi = "Fran\xE7" "ais"; ansiExpected = L"Français"; break;
    case 1251: ansi = "\xD0\xF3\xF1\xF1\xEA\xE8\xE9"; ansiExpected = L"Русский"; break;
    case 936: ansi = "\xBC\xF2\xCC\xE5\xD6\xD0\xCE\xC4"; ansiExpected = L"简体中文"; break;
    default: GTEST_SKIP() << "no sample for code page " << GetACP();
    }
    WriteFileBytes(LanguagePath(L"Ansi"), "[Lang]\r\nNativeLanguage = " + ansi + "\r\n");
    SetLanguageFilePath(LanguagePath(L"Ansi"));
    EXPECT_EQ(Translate(L"Lang", L"NativeLanguage", L""), ansiExpected);
}
