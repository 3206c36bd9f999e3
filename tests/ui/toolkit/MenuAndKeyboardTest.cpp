// Pop-up menu navigation with the keyboard, Tab order through a form's
// controls, and the message box's answers.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "ToolkitTestSupport.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixEdit.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/OrixListView.h"
#include "ui/toolkit/OrixMessageBox.h"
#include "ui/toolkit/OrixPopupMenu.h"

namespace {

TOrixForm& MakeForm(TOrixForm& form, const wchar_t* caption) {
    TOrixForm::CreateArgs args;
    args.caption = caption;
    args.clientWidth = 400;
    args.clientHeight = 300;
    args.position = POINT{150, 150};
    EXPECT_TRUE(form.Create(args));
    form.Show();
    SetForegroundWindow(form.Handle());
    PumpFor(150);
    return form;
}

class MenuTest : public testing::Test {
protected:
    void SetUp() override {
        MakeForm(form, L"Menu test");
        TOrixPopupMenu::CreateArgs a;
        a.name = L"sysMenu";
        menu = &form.Add<TOrixPopupMenu>(a);
        TOrixMenuItem& items = menu->Items();
        for (const wchar_t* caption : {L"Online Help", L"Forum", L"Homepage", L"Contact Us"}) Add(items, caption);
        items.Item(0).ShortCut = L"F1";
        items.Item(3).Enabled = false;
        items.AddSeparator();
        Add(items, L"Check for &Updates").AutoCheck = true;
        TOrixMenuItem& languages = Add(items, L"Language");
        for (const wchar_t* name : {L"English", L"Deutsch", L"Svenska"}) {
            TOrixMenuItem& language = Add(languages, name);
            language.RadioItem = true;
            language.AutoCheck = true;
        }
        languages.Item(0).Checked = true;
        items.AddSeparator();
        Add(items, L"About");
    }

    TOrixMenuItem& Add(TOrixMenuItem& parent, const wchar_t* caption) {
        TOrixMenuItem& item = parent.Add(caption);
        item.OnClick = [this](TOrixMenuItem& clicked) { chosen = clicked.Caption; };
        return item;
    }

    // The keys go into the queue before the menu opens, as typed ahead.
    bool PopupWithKeys(std::initializer_list<WORD> keys) {
        for (WORD key : keys) PostMessageW(form.Handle(), WM_KEYDOWN, key, 0);
        menu->OnShown = nullptr;
        return menu->Popup(200, 200);
    }

    TOrixForm form;
    TOrixPopupMenu* menu = nullptr;
    std::wstring chosen;
};

TEST_F(MenuTest, ArrowsSkipSeparatorsAndDisabledItemsAndEnterChooses) {
    EXPECT_TRUE(PopupWithKeys({VK_DOWN, VK_DOWN, VK_DOWN, VK_DOWN, VK_RETURN}));
    // Online Help, Forum, Homepage, then past "Contact Us" and the separator.
    EXPECT_EQ(chosen, L"Check for &Updates");
    EXPECT_TRUE(menu->Items().Item(5).Checked);
    EXPECT_FALSE(menu->IsOpen());
}

TEST_F(MenuTest, UpWrapsAroundAndEscapeClosesWithoutAChoice) {
    EXPECT_TRUE(PopupWithKeys({VK_UP, VK_RETURN}));
    EXPECT_EQ(chosen, L"About");
    chosen.clear();
    EXPECT_FALSE(PopupWithKeys({VK_DOWN, VK_ESCAPE}));
    EXPECT_TRUE(chosen.empty());
}

TEST_F(MenuTest, RightOpensTheSubMenuLeftClosesItAndRadioItemsCheckThemselves) {
    EXPECT_TRUE(PopupWithKeys({VK_END, VK_UP, VK_RIGHT, VK_LEFT, VK_RIGHT, VK_DOWN, VK_RETURN}));
    EXPECT_EQ(chosen, L"Deutsch");
    TOrixMenuItem& languages = menu->Items().Item(6);
    EXPECT_FALSE(languages.Item(0).Checked);
    EXPECT_TRUE(languages.Item(1).Checked);
    EXPECT_FALSE(languages.Item(2).Checked);
}

TEST_F(MenuTest, AccessKeysAndEscapeFromTheSubMenuGoBackOneLevel) {
    EXPECT_TRUE(PopupWithKeys({'U'}));
    EXPECT_EQ(chosen, L"Check for &Updates");
    chosen.clear();
    // Escape in the sub-menu leaves the main menu open; Enter then chooses
    // the highlighted Language item's first entry.
    EXPECT_TRUE(PopupWithKeys({VK_END, VK_UP, VK_RIGHT, VK_ESCAPE, VK_UP, VK_RETURN}));
    EXPECT_EQ(chosen, L"Check for &Updates");
}

// A window of another thread stands for another program: the menu stays
// open for the window that was in front when it opened (the click that
// opened it may still be bringing the form forward), and closes when such
// a window comes to the front afterwards.
TEST_F(MenuTest, ClosesWhenAnotherWindowComesToTheFrontNotForTheOneInFrontAtOpening) {
    std::atomic<HWND> other{nullptr};
    std::thread otherThread([&] {
        HWND window = CreateWindowExW(0, L"STATIC", L"Other program", WS_POPUP | WS_VISIBLE, 600, 500, 120, 80,
                                      nullptr, nullptr, nullptr, nullptr);
        other = window;
        MSG message;
        while (GetMessageW(&message, nullptr, 0, 0) > 0) DispatchMessageW(&message);
        DestroyWindow(window);
    });
    while (!other) std::this_thread::sleep_for(std::chrono::milliseconds(10));
    SetForegroundWindow(other);
    PumpFor(150);
    ASSERT_EQ(GetForegroundWindow(), other.load());

    std::atomic<bool> openWhileOtherStayedInFront{false};
    std::atomic<bool> closedOnItsOwn{false};
    std::thread driver([&] {
        std::this_thread::sleep_for(std::chrono::milliseconds(400));
        openWhileOtherStayedInFront = menu->IsOpen();
        SetForegroundWindow(form.Handle());
        std::this_thread::sleep_for(std::chrono::milliseconds(300));
        SetForegroundWindow(other);
        for (int i = 0; i < 30 && menu->IsOpen(); ++i) std::this_thread::sleep_for(std::chrono::milliseconds(50));
        closedOnItsOwn = !menu->IsOpen();
        // Never leave the test waiting on an open menu.
        if (!closedOnItsOwn) PostMessageW(form.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    });
    menu->OnShown = nullptr;
    EXPECT_FALSE(menu->Popup(200, 200));
    driver.join();
    PostThreadMessageW(GetWindowThreadProcessId(other, nullptr), WM_QUIT, 0, 0);
    otherThread.join();
    EXPECT_TRUE(openWhileOtherStayedInFront);
    EXPECT_TRUE(closedOnItsOwn);
    EXPECT_TRUE(chosen.empty());
}

TEST_F(MenuTest, ItemsAre25DesignPixelsHigh) {
    int itemHeight = 0;
    menu->OnShown = [&](TOrixPopupMenu& m) {
        RECT r;
        GetClientRect(m.LevelWindow(0), &r);
        // 7 items, 2 separators of 7, a border of 1 above and below.
        itemHeight = (r.bottom - 2 - 2 * form.Scale(7)) / 7;
        m.Cancel();
    };
    menu->Popup(200, 200);
    EXPECT_EQ(itemHeight, form.Scale(25));
}

TEST(TabOrder, TabAndShiftTabVisitTheTabStopsInCreationOrder) {
    TOrixForm form;
    MakeForm(form, L"Tab test");
    std::vector<HWND> expected;
    auto addButton = [&](const wchar_t* name, int left) {
        TOrixButton::CreateArgs b;
        b.name = name;
        b.caption = name;
        b.bounds = {left, 50, 80, 25};
        b.picture = SolidStrip(80, 25, {RGB(200, 0, 0)});
        expected.push_back(form.Add<TOrixButton>(b).Handle());
    };
    addButton(L"btnFirst", 20);
    TOrixLabel::CreateArgs plain;
    plain.name = L"lblPlain";
    plain.caption = L"Not a stop";
    plain.bounds = {20, 90, 100, 16};
    form.Add<TOrixLabel>(plain);
    TOrixEdit::CreateArgs e;
    e.name = L"fxdtnk";
    e.bounds = {20, 120, 150, 26};
    expected.push_back(form.Add<TOrixEdit>(e).EditHandle());
    TOrixLabel::CreateArgs link;
    link.name = L"lblLink";
    link.caption = L"A link";
    link.bounds = {20, 160, 100, 16};
    link.link = true;
    auto& linkLabel = form.Add<TOrixLabel>(link);
    int linkClicks = 0;
    linkLabel.OnClick = [&](TOrixControl&) { ++linkClicks; };
    expected.push_back(linkLabel.Handle());
    TOrixListView::CreateArgs l;
    l.name = L"m_lstView";
    l.bounds = {200, 50, 180, 200};
    expected.push_back(form.Add<TOrixListView>(l).Handle());
    addButton(L"btnLast", 20);

    SetFocus(expected[0]);
    std::vector<HWND> visited = {GetFocus()};
    for (size_t i = 1; i < expected.size() + 1; ++i) {
        WhilePumping([] { TypeKey(VK_TAB); });
        visited.push_back(GetFocus());
    }
    std::vector<HWND> forward = expected;
    forward.push_back(expected[0]);  // round to the start
    EXPECT_EQ(visited, forward);
    WhilePumping([] {
        PressKey(VK_SHIFT, true);
        TypeKey(VK_TAB);
        PressKey(VK_SHIFT, false);
    });
    EXPECT_EQ(GetFocus(), expected.back());
    // Enter on a focused link clicks it.
    SetFocus(linkLabel.Handle());
    WhilePumping([] { TypeKey(VK_RETURN); });
    EXPECT_EQ(linkClicks, 1);
}

TEST(DialogKeys, EscapeClosesAFormThatAsksForIt) {
    TOrixForm form;
    TOrixForm::CreateArgs args;
    args.caption = L"Dialog";
    args.position = POINT{150, 150};
    args.closeOnEscape = true;
    ASSERT_TRUE(form.Create(args));
    TOrixButton::CreateArgs b;
    b.bounds = {20, 50, 80, 25};
    auto& button = form.Add<TOrixButton>(b);
    form.Show();
    SetForegroundWindow(form.Handle());
    button.SetFocus();
    WhilePumping([] { TypeKey(VK_ESCAPE); });
    EXPECT_EQ(form.Handle(), nullptr);
}

void CALLBACK PressEnterOnFocus(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
}

class MessageBoxTest : public testing::Test {
protected:
    void SetUp() override { MakeForm(owner, L"Owner"); }

    int Ask(TOrixMessageButtons buttons, const std::function<void(TOrixForm&)>& whenShown) {
        box.OnShown = whenShown;
        return box.Show(owner.Handle(), L"Confirm", L"Are you sure to delete this plug-in?", buttons,
                        TOrixMessageIcon::Warning);
    }

    TOrixForm owner;
    TOrixMessageBox box;
};

TEST_F(MessageBoxTest, EnterAtOnceAnswersYes) {
    EXPECT_EQ(Ask(TOrixMessageButtons::YesNo, [](TOrixForm&) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0); }),
              TOrixMessageBox::kYes);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
}

TEST_F(MessageBoxTest, ArrowThenEnterAnswersNo) {
    EXPECT_EQ(Ask(TOrixMessageButtons::YesNo,
                  [](TOrixForm& form) {
                      EXPECT_EQ(GetFocus(), static_cast<TOrixControl*>(form.FindComponent(L"btnYes"))->Handle());
                      PostMessageW(GetFocus(), WM_KEYDOWN, VK_RIGHT, 0);
                      // The Enter goes to whichever button has the focus then.
                      SetTimer(nullptr, 0, 200, PressEnterOnFocus);
                  }),
              TOrixMessageBox::kNo);
}

TEST_F(MessageBoxTest, EscapeAndTheCloseButtonAnswerNo) {
    EXPECT_EQ(Ask(TOrixMessageButtons::YesNo, [](TOrixForm&) { PostMessageW(GetFocus(), WM_KEYDOWN, VK_ESCAPE, 0); }),
              TOrixMessageBox::kNo);
    EXPECT_EQ(Ask(TOrixMessageButtons::YesNo, [](TOrixForm& form) {
                  const RECT close = form.Frame().ButtonRect(TOrixFrameButton::Close, form.ClientWidth(), form.Dpi());
                  const LPARAM at = MAKELPARAM((close.left + close.right) / 2, (close.top + close.bottom) / 2);
                  PostMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, at);
                  PostMessageW(form.Handle(), WM_LBUTTONUP, 0, at);
              }),
              TOrixMessageBox::kNo);
}

TEST_F(MessageBoxTest, ASecondRequestWhileOneIsOpenAnswersNoAtOnce) {
    int inner = 0;
    const int outer = Ask(TOrixMessageButtons::Ok, [&](TOrixForm&) {
        inner = box.Show(owner.Handle(), L"Again", L"Second", TOrixMessageButtons::YesNo, TOrixMessageIcon::Question);
        PostMessageW(GetFocus(), WM_KEYDOWN, VK_RETURN, 0);
    });
    EXPECT_EQ(inner, TOrixMessageBox::kNo);
    EXPECT_EQ(outer, TOrixMessageBox::kOk);
}

}  // namespace
