#include "AppShellFixture.h"

#include "app/LanguageChoice.h"

#include <algorithm>
#include <filesystem>

namespace {

class LanguageChoiceTest : public AppShellTest {
protected:
    std::vector<std::wstring> Listed() const {
        std::vector<std::wstring> names{L"stale entry"};
        ListLanguages(names);
        return names;
    }
    static std::string WithLangCode(const std::string& codes) { return "[Translation]\nLangCode = " + codes + "\n"; }
};

std::vector<std::wstring> Sorted(std::vector<std::wstring> names) {
    std::sort(names.begin(), names.end());
    return names;
}

}  // namespace

TEST_F(LanguageChoiceTest, ListsTheIniFilesOfTheLanguagesFolder) {
    WriteLanguage(L"English", "");
    WriteLanguage(L"Русский", "");
    WriteLanguage(L"Chinese (Simplified)", "");
    WriteFileBytes(ProgramFolder() + L"\\Languages\\Upper.INI", "");
    WriteFileBytes(ProgramFolder() + L"\\Languages\\readme.txt", "");
    WriteFileBytes(ProgramFolder() + L"\\Languages\\notes.ini2", "");
    WriteFileBytes(ProgramFolder() + L"\\Beside.ini", "");
    EXPECT_EQ(Sorted(Listed()), Sorted({L"English", L"Русский", L"Chinese (Simplified)", L"Upper"}));
}

TEST_F(LanguageChoiceTest, WithoutLanguagesFolderEverythingFallsBackToEnglish) {
    EXPECT_TRUE(Listed().empty());
    EXPECT_EQ(DetectLanguageFor(0x0407), L"English");
    ChooseLanguageFile(L"Deutsch");
    EXPECT_EQ(LanguageFilePath(), ProgramFolder() + L"\\Languages\\English.ini");
    EXPECT_EQ(Translate(L"Translation", L"TfrmKoltMain.btn5.Caption", L""), L"All");
}

TEST_F(LanguageChoiceTest, DetectionPicksTheFileWhoseLangCodeHoldsTheIdentifier) {
    WriteLanguage(L"English", WithLangCode("0409|0809|0c09"));
    WriteLanguage(L"Deutsch", WithLangCode("0407|0807|0C07"));
    WriteLanguage(L"NoCode", "[Translation]\nDefaultFont = Tahoma\n");
    WriteLanguage(L"Blank", WithLangCode("0419 | 0819"));
    EXPECT_EQ(DetectLanguageFor(0x0807), L"Deutsch");
    EXPECT_EQ(DetectLanguageFor(0x0C09), L"English");  // written "0c09"
    EXPECT_EQ(DetectLanguageFor(0x0C07), L"Deutsch");
    EXPECT_EQ(DetectLanguageFor(0x0419), L"English");  // entries are not trimmed: "0419 " is no match
    EXPECT_EQ(DetectLanguageFor(0x0411), L"English");
}

TEST_F(LanguageChoiceTest, FirstMatchInListOrderWins) {
    WriteLanguage(L"One", WithLangCode("0809"));
    WriteLanguage(L"Two", WithLangCode("0409|0809"));
    const std::vector<std::wstring> order = Listed();
    ASSERT_EQ(order.size(), 2u);
    EXPECT_EQ(DetectLanguageFor(0x0809), order[0]);
    EXPECT_EQ(DetectLanguageFor(0x0409), L"Two");
}

TEST_F(LanguageChoiceTest, UnreadableFileEndsTheSearch) {
    WriteLanguage(L"Locked", WithLangCode("0407"));
    WriteLanguage(L"Deutsch", WithLangCode("0407"));
    const std::vector<std::wstring> order = Listed();
    ASSERT_EQ(order.size(), 2u);
    const FileHeldOpen held(LanguagePath(L"Locked"));
    ASSERT_TRUE(held.Held());
    // Before the locked file the readable one is found; after it, the search stops.
    EXPECT_EQ(DetectLanguageFor(0x0407), order[0] == L"Deutsch" ? L"Deutsch" : L"English");
}

TEST_F(LanguageChoiceTest, ChoosingKeepsAnExistingFileAndFallsBackForAMissingOne) {
    WriteLanguage(L"Deutsch", "[Lang]\nNativeLanguage = Deutsch\n");
    AppConfig.Language = L"Klingon";
    ChooseLanguageFile(L"Deutsch");
    EXPECT_EQ(LanguageFilePath(), LanguagePath(L"Deutsch"));
    ChooseLanguageFile(L"Klingon");
    EXPECT_EQ(LanguageFilePath(), ProgramFolder() + L"\\Languages\\English.ini");
    EXPECT_EQ(AppConfig.Language, L"Klingon");  // the stored name is kept
}

TEST_F(LanguageChoiceTest, ChoosingAnotherFileDropsTheLoadedCopy) {
    WriteLanguage(L"Deutsch", "[Translation]\nConfirm = Bestätigen\n");
    WriteLanguage(L"Français", "[Translation]\nConfirm = Confirmation\n");
    ChooseLanguageFile(L"Deutsch");
    EXPECT_EQ(Translate(L"Translation", L"Confirm", L""), L"Bestätigen");
    ChooseLanguageFile(L"Français");
    EXPECT_EQ(Translate(L"Translation", L"Confirm", L""), L"Confirmation");
}

TEST_F(LanguageChoiceTest, NativeNameComesFromTheLanguageFile) {
    WriteLanguage(L"Russian", "[Lang]\nNativeLanguage = Русский\n");
    WriteLanguage(L"NoKey", "[Translation]\nLangCode = 0419\n");
    WriteLanguage(L"EmptyKey", "[Lang]\nNativeLanguage =\n");
    EXPECT_EQ(GetNativeLanguageName(L"Russian"), L"Русский");
    EXPECT_EQ(GetNativeLanguageName(L"NoKey"), L"NoKey");
    EXPECT_EQ(GetNativeLanguageName(L"EmptyKey"), L"EmptyKey");
    EXPECT_EQ(GetNativeLanguageName(L"Missing"), L"Missing");
}

// The display language as Wine sets it from LANG: the extra test runs set
// BRIVO_TEST_UI_LANGUAGE and the language the shipped files should give.
TEST_F(LanguageChoiceTest, DisplayLanguageSelectsTheShippedFile) {
    const std::wstring expectedId = EnvironmentText(L"BRIVO_TEST_UI_LANGUAGE");
    const std::wstring expectedName = EnvironmentText(L"BRIVO_TEST_LANGUAGE");
    if (expectedId.empty()) GTEST_SKIP() << "runs with LANG set (see extra.cmake)";
    EXPECT_EQ(GetUserDefaultUILanguage(), static_cast<LANGID>(std::stoul(expectedId, nullptr, 16)));

    SetExecutableFolderForTests(BRIVO_BIN_DIR);
    EXPECT_EQ(DetectLanguage(), expectedName);
    ChooseLanguageFile(DetectLanguage());
    EXPECT_EQ(LanguageFilePath(), std::wstring(BRIVO_BIN_DIR) + L"\\Languages\\" + expectedName + L".ini");

    // Only this display language selects the file in a folder of decoys.
    SetExecutableFolderForTests(ProgramFolder());
    WriteLanguage(L"Decoy", WithLangCode("0409|0407|0419|0804"));
    WriteLanguage(L"Target", WithLangCode(ToUtf8(expectedId)));
    const std::vector<std::wstring> order = Listed();
    if (expectedId == L"0409" || expectedId == L"0407" || expectedId == L"0419" || expectedId == L"0804") {
        EXPECT_EQ(DetectLanguage(), order[0]);
    } else {
        EXPECT_EQ(DetectLanguage(), L"Target");
    }
}
