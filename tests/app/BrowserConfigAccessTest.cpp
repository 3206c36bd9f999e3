#include "AppShellFixture.h"

#include "app/BrowserConfigAccess.h"
#include "support/ReadOnlyRegistryKey.h"
#include "support/ScratchRegistry.h"

#include <atomic>
#include <thread>

namespace {

constexpr wchar_t kStartMenuInternet[] = L"SOFTWARE\\Clients\\StartMenuInternet";

// Watches for the program's message box on another thread, notes its text
// and closes it, so a test never waits for a user.
class MessageBoxCloser {
public:
    MessageBoxCloser() : thread_([this] { Watch(); }) {}
    ~MessageBoxCloser() { Stop(); }
    void Stop() {
        stop_ = true;
        if (thread_.joinable()) thread_.join();
    }
    bool Seen() const { return seen_; }
    const std::wstring& Text() const { return text_; }

private:
    void Watch() {
        for (int i = 0; i < 1000 && !stop_; ++i) {  // 10 s at most
            if (const HWND box = FindWindowW(L"#32770", L"Brivo Plug-in Manager")) {
                wchar_t text[512] = {};
                GetDlgItemTextW(box, 0xFFFF, text, 512);  // a message box's text control
                text_ = text;
                seen_ = true;
                PostMessageW(box, WM_COMMAND, IDOK, 0);
                return;
            }
            Sleep(10);
        }
    }

    std::atomic<bool> stop_{false};
    std::atomic<bool> seen_{false};
    std::wstring text_;
    std::thread thread_;
};

// Takes the quit request if one is waiting.
bool QuitWasPosted() {
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && message.wParam == 0;
}

// The shipped 32-bit program opens the key without a view flag and so
// reaches the 32-bit view; the 64-bit test build names that view.
class BrowserConfigAccessTest : public AppShellTest {
protected:
    void SetUp() override {
        AppShellTest::SetUp();
        registry_.CreateKey(HKEY_LOCAL_MACHINE, kStartMenuInternet, KEY_WOW64_32KEY);
        registry_.CreateKey(HKEY_LOCAL_MACHINE, kStartMenuInternet, KEY_WOW64_64KEY);
    }

    ScratchRegistry registry_;
};

}  // namespace

TEST_F(BrowserConfigAccessTest, ARegistrationKeyThatRefusesFullAccessStopsTheProgram) {
    const ReadOnlyRegistryKey guarded(HKEY_LOCAL_MACHINE, kStartMenuInternet, KEY_WOW64_32KEY);
    ASSERT_TRUE(guarded.Applied());
    EXPECT_TRUE(BrowserConfigAccessDenied());
}

TEST_F(BrowserConfigAccessTest, OnlyTheProgramsOwnRegistryViewCounts) {
    const ReadOnlyRegistryKey guarded(HKEY_LOCAL_MACHINE, kStartMenuInternet, KEY_WOW64_64KEY);
    ASSERT_TRUE(guarded.Applied());
    EXPECT_FALSE(BrowserConfigAccessDenied());
}

TEST_F(BrowserConfigAccessTest, AWritableOrMissingKeyPasses) {
    EXPECT_FALSE(BrowserConfigAccessDenied());
    EXPECT_FALSE(BrowserConfigAccessDenied(L"SOFTWARE\\Brivo Tests\\No such key\\"));
}

TEST_F(BrowserConfigAccessTest, RefusalIsToldInTheChosenLanguageAndThenTheProgramQuits) {
    WriteLanguage(L"Deutsch", "[Messages]\nACCESSDENIED = Kein Zugriff auf die Browser-Einstellungen.\n");
    SetLanguageFilePath(LanguagePath(L"Deutsch"));
    const ReadOnlyRegistryKey guarded(HKEY_LOCAL_MACHINE, kStartMenuInternet, KEY_WOW64_32KEY);
    ASSERT_TRUE(guarded.Applied());
    while (QuitWasPosted()) {}

    MessageBoxCloser closer;
    CheckBrowserConfigAccess();
    closer.Stop();
    EXPECT_TRUE(closer.Seen());
    EXPECT_EQ(closer.Text(), L"Kein Zugriff auf die Browser-Einstellungen.");
    EXPECT_TRUE(QuitWasPosted());
}

TEST_F(BrowserConfigAccessTest, WithAccessNothingIsShownAndNothingQuits) {
    while (QuitWasPosted()) {}
    MessageBoxCloser closer;
    CheckBrowserConfigAccess();
    closer.Stop();
    EXPECT_FALSE(closer.Seen());
    EXPECT_FALSE(QuitWasPosted());
}
