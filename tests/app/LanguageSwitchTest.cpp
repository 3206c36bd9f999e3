#include "AppShellFixture.h"

#include "app/LanguageChoice.h"
#include "app/LanguageSwitch.h"
#include "platform/MessageWindow.h"

namespace {

// What the main window saw when the switch told it.
struct Notice {
    int count = 0;
    WPARAM wParam = 1;
    LPARAM lParam = 1;
    std::wstring confirmText;  // a lookup made while handling the message
    std::wstring path;
};
Notice* g_notice = nullptr;

LRESULT CALLBACK MainWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_LANGUAGE_CHANGED && g_notice) {
        ++g_notice->count;
        g_notice->wParam = wParam;
        g_notice->lParam = lParam;
        g_notice->confirmText = Translate(L"Translation", L"Confirm", L"");
        g_notice->path = LanguageFilePath();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

class LanguageSwitchTest : public AppShellTest {
protected:
    void SetUp() override {
        AppShellTest::SetUp();
        window_ = CreateMessageWindow(L"BrivoLanguageSwitchTest", MainWindowProc);
        ASSERT_NE(window_, nullptr);
        g_notice = &notice_;
    }
    void TearDown() override {
        g_notice = nullptr;
        DestroyWindow(window_);
        AppShellTest::TearDown();
    }

    HWND window_ = nullptr;
    Notice notice_;
};

}  // namespace

TEST_F(LanguageSwitchTest, SwitchSavesLoadsAndThenTellsTheMainWindow) {
    WriteLanguage(L"Deutsch", "[Translation]\nConfirm = Bestätigen\n");
    WriteLanguage(L"Français", "[Translation]\nConfirm = Confirmation\n");
    ChooseLanguageFile(L"Deutsch");
    EXPECT_EQ(Translate(L"Translation", L"Confirm", L""), L"Bestätigen");
    AppConfig.CheckNews = false;

    SwitchLanguage(L"Français", window_);
    EXPECT_EQ(notice_.count, 1);
    EXPECT_EQ(notice_.wParam, 0u);
    EXPECT_EQ(notice_.lParam, 0);
    EXPECT_EQ(notice_.confirmText, L"Confirmation");  // active before the window is told
    EXPECT_EQ(notice_.path, LanguagePath(L"Français"));
    EXPECT_EQ(AppConfig.Language, L"Français");

    const std::wstring saved = ReadProfileFileText(SettingsFile());
    EXPECT_NE(saved.find(L"Language=Français\r\n"), std::wstring::npos);
    EXPECT_NE(saved.find(L"CheckNews=0\r\n"), std::wstring::npos);
}

TEST_F(LanguageSwitchTest, SwitchToARemovedFileKeepsItsPathAndShowsEnglish) {
    WriteLanguage(L"Deutsch", "[Translation]\nConfirm = Bestätigen\n");
    ChooseLanguageFile(L"Deutsch");
    EXPECT_EQ(Translate(L"Translation", L"Confirm", L""), L"Bestätigen");

    SwitchLanguage(L"Gone", window_);
    EXPECT_EQ(notice_.count, 1);
    EXPECT_EQ(LanguageFilePath(), LanguagePath(L"Gone"));  // no fallback here
    EXPECT_EQ(notice_.confirmText, L"Confirm");
    EXPECT_EQ(AppConfig.Language, L"Gone");

    // At the next start the stored name falls back to the English file.
    LoadSettings();
    EXPECT_EQ(AppConfig.Language, L"Gone");
    ChooseLanguageFile(AppConfig.Language);
    EXPECT_EQ(LanguageFilePath(), LanguagePath(L"English"));
}
