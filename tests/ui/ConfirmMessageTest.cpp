// Confirmations in the image module's message box, answered with real keys
// and a real click while the box runs its modal loop: Enter answers the
// focused Yes at once, Escape and the close button answer No, and a second
// request while a box is open answers No without showing anything.
#include <gtest/gtest.h>

#include <thread>

#include "UiLanguageTest.h"
#include "ui/ConfirmMessage.h"
#include "ui/ImgModule.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/ToolkitTestSupport.h"

namespace {

constexpr int kYes = 6;
constexpr int kNo = 7;

class ConfirmMessageTest : public UiLanguageTest {
protected:
    void SetUp() override {
        UiLanguageTest::SetUp();
        TOrixForm::CreateArgs args;
        args.caption = L"Owner";
        args.clientWidth = 500;
        args.clientHeight = 350;
        args.position = POINT{100, 100};
        ASSERT_TRUE(owner.Create(args));
        owner.Show();
        SetForegroundWindow(owner.Handle());
        PumpFor(150);
    }
    void TearDown() override {
        if (input.joinable()) input.join();
        ImgModule().MessageDialog().OnShown = nullptr;
        UiLanguageTest::TearDown();
    }

    // Once the box is up, whenShown runs on this thread and then `act` on a
    // second thread, as a user would act, while the box's own loop runs here.
    int Ask(const std::wstring& key, TOrixMessageButtons buttons, std::function<void()> act,
            std::function<void(TOrixForm& box)> whenShown = {}) {
        ImgModule().MessageDialog().OnShown = [this, act, whenShown](TOrixForm& box) {
            if (whenShown) whenShown(box);
            input = std::thread([act] {
                Sleep(300);
                act();
            });
        };
        const int answer = ConfirmMessage(owner.Handle(), key, buttons, TOrixMessageIcon::Warning);
        if (input.joinable()) input.join();
        return answer;
    }

    static std::wstring CaptionOf(TOrixForm& box, const wchar_t* name) {
        TOrixComponent* component = box.FindComponent(name);
        return component ? component->Caption() : L"(none)";
    }

    TOrixForm owner;
    std::thread input;
};

TEST_F(ConfirmMessageTest, EnterAtOnceAnswersYes) {
    HWND focusAtStart = nullptr;
    HWND yes = nullptr;
    EXPECT_EQ(Ask(L"DeleteConf", TOrixMessageButtons::YesNo, [] { TypeKey(VK_RETURN); },
                  [&](TOrixForm& box) {
                      focusAtStart = GetFocus();
                      yes = static_cast<TOrixControl*>(box.FindComponent(L"btnYes"))->Handle();
                  }),
              kYes);
    EXPECT_EQ(focusAtStart, yes);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(ImgModule().MessageDialog().IsOpen());
}

TEST_F(ConfirmMessageTest, EscapeAnswersNo) {
    EXPECT_EQ(Ask(L"DeleteConf", TOrixMessageButtons::YesNo, [] { TypeKey(VK_ESCAPE); }), kNo);
}

TEST_F(ConfirmMessageTest, TheCloseButtonAnswersNo) {
    POINT close = {};
    EXPECT_EQ(Ask(
                  L"DeleteConf", TOrixMessageButtons::YesNo,
                  [&] {
                      MoveMouse(close);
                      MouseButton(true);
                      MouseButton(false);
                  },
                  [&](TOrixForm& box) {
                      const RECT r = box.Frame().ButtonRect(TOrixFrameButton::Close, box.ClientWidth(), box.Dpi());
                      close = ClientToScreenPoint(box.Handle(), (r.left + r.right) / 2, (r.top + r.bottom) / 2);
                  }),
              kNo);
}

TEST_F(ConfirmMessageTest, TheArrowKeysMoveTheFocusBetweenYesAndNo) {
    EXPECT_EQ(Ask(L"DeleteConf", TOrixMessageButtons::YesNo,
                  [] {
                      TypeKey(VK_RIGHT);
                      TypeKey(VK_RETURN);
                  }),
              kNo);
    EXPECT_EQ(Ask(L"DeleteConf", TOrixMessageButtons::YesNo,
                  [] {
                      TypeKey(VK_RIGHT);
                      TypeKey(VK_LEFT);
                      TypeKey(VK_RETURN);
                  }),
              kYes);
}

int g_secondAnswer = 0;
bool g_secondShowedAWindow = true;

void CALLBACK AskAgain(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    auto& box = ImgModule().MessageDialog();
    int shownAgain = 0;
    auto previous = box.OnShown;
    box.OnShown = [&shownAgain](TOrixForm&) { ++shownAgain; };
    g_secondAnswer = ConfirmMessage(nullptr, L"NewVer", TOrixMessageButtons::YesNo, TOrixMessageIcon::Question);
    g_secondShowedAWindow = shownAgain != 0;
    box.OnShown = previous;
}

TEST_F(ConfirmMessageTest, ASecondRequestWhileOneIsOpenAnswersNoAtOnce) {
    g_secondAnswer = 0;
    // The second request comes through the open box's loop, as a worker's
    // result handed to the main thread during a question would.
    const int first = Ask(L"DeleteConf", TOrixMessageButtons::YesNo, [] {
        Sleep(300);
        TypeKey(VK_RETURN);
    }, [](TOrixForm&) { SetTimer(nullptr, 0, 50, AskAgain); });
    EXPECT_EQ(g_secondAnswer, kNo);
    EXPECT_FALSE(g_secondShowedAWindow);
    // The first box was not disturbed.
    EXPECT_EQ(first, kYes);
}

TEST_F(ConfirmMessageTest, TextAndTitleComeFromTheLanguageAndAMissingKeyShowsTheKey) {
    std::wstring text, title;
    auto read = [&](TOrixForm& box) {
        text = CaptionOf(box, L"lblText");
        title = box.Caption();
    };
    Ask(L"DeleteConf", TOrixMessageButtons::YesNo, [] { TypeKey(VK_ESCAPE); }, read);
    EXPECT_EQ(text, L"Are you sure to delete this plug-in?");
    EXPECT_EQ(title, L"Confirm");
    Ask(L"NoSuchMessage", TOrixMessageButtons::Ok, [] { TypeKey(VK_RETURN); }, read);
    EXPECT_EQ(text, L"NoSuchMessage");
}

TEST_F(ConfirmMessageTest, ButtonCaptionsFollowTheTranslation) {
    WriteLanguageFile(L"Deutsch", "msgdlg.btnYes=Ja\r\nmsgdlg.btnNO=Nein\r\nmsgdlg.btnOk=Gut\r\nConfirm=Frage",
                      "DeleteConf=Wirklich entfernen?");
    UseLanguage(L"Deutsch");
    TimgModule& images = ImgModule();
    images.TranslateMessageDialog();
    std::wstring yes, no, ok, text, title;
    Ask(L"DeleteConf", TOrixMessageButtons::YesNo, [] { TypeKey(VK_ESCAPE); }, [&](TOrixForm& box) {
        yes = CaptionOf(box, L"btnYes");
        no = CaptionOf(box, L"btnNo");
        text = CaptionOf(box, L"lblText");
        title = box.Caption();
    });
    Ask(L"NoNewVer", TOrixMessageButtons::Ok, [] { TypeKey(VK_RETURN); },
        [&](TOrixForm& box) { ok = CaptionOf(box, L"btnOk"); });
    EXPECT_EQ(yes, L"Ja");
    EXPECT_EQ(no, L"Nein");
    EXPECT_EQ(ok, L"Gut");
    EXPECT_EQ(text, L"Wirklich entfernen?");
    EXPECT_EQ(title, L"Frage");

    // Back in English: the built-in texts.
    UseLanguage(L"None");
    images.TranslateMessageDialog();
    EXPECT_EQ(images.MessageDialog().YesCaption, L"Yes");
    EXPECT_EQ(images.MessageDialog().NoCaption, L"NO");
    EXPECT_EQ(images.MessageDialog().OkCaption, L"OK");
}

}  // namespace
