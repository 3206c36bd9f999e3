// A skinned form with buttons, driven with real mouse and keyboard input.
#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixLabel.h"

namespace {

constexpr COLORREF kNormal = RGB(200, 0, 0);
constexpr COLORREF kHover = RGB(0, 200, 0);
constexpr COLORREF kPressed = RGB(0, 0, 200);
constexpr COLORREF kDisabled = RGB(90, 90, 90);
constexpr COLORREF kSelected = RGB(200, 200, 0);

class FormTest : public testing::Test {
protected:
    void SetUp() override {
        TOrixForm::CreateArgs args;
        args.name = L"frmTest";
        args.caption = L"Toolkit test";
        args.clientWidth = 400;
        args.clientHeight = 300;
        args.position = POINT{100, 100};
        args.resizable = true;
        args.minimizeButton = true;
        ASSERT_TRUE(form.Create(args));
        TOrixButton::CreateArgs b;
        b.name = L"btnOk";
        b.caption = L"OK";
        b.bounds = {40, 60, 100, 30};
        b.picture = SolidStrip(100, 30, {kNormal, kHover, kPressed, kDisabled, kSelected});
        button = &form.Add<TOrixButton>(b);
        button->OnClick = [this](TOrixControl&) { ++clicks; };
        form.Show();
        SetForegroundWindow(form.Handle());
        PumpFor(200);
    }

    COLORREF ButtonColor() { return PixelAt(button->Handle(), 1, 1); }

    TOrixForm form;
    TOrixButton* button = nullptr;
    int clicks = 0;
};

TEST_F(FormTest, AtDesignDpiControlsHaveTheirDesignBounds) {
    if (form.Dpi() != 96) GTEST_SKIP() << "the prefix is not at 96 DPI";
    RECT window;
    GetWindowRect(form.Handle(), &window);
    EXPECT_EQ(window.right - window.left, 400);
    EXPECT_EQ(window.bottom - window.top, 300);
    RECT r;
    GetWindowRect(button->Handle(), &r);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, 40);
    EXPECT_EQ(r.top, 60);
    EXPECT_EQ(r.right - r.left, 100);
    EXPECT_EQ(r.bottom - r.top, 30);
}

TEST_F(FormTest, HoverAndPressChangeTheButtonSliceAndAClickFiresOnce) {
    EXPECT_EQ(ButtonColor(), kNormal);
    const POINT centre = ClientToScreenPoint(button->Handle(), 50, 15);
    WhilePumping([&] { MoveMouse(centre); });
    EXPECT_EQ(ButtonColor(), kHover);
    WhilePumping([&] { MouseButton(true); });
    EXPECT_EQ(ButtonColor(), kPressed);
    EXPECT_EQ(clicks, 0);
    WhilePumping([&] { MouseButton(false); });
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ButtonColor(), kHover);
    // Pressed on the button, released outside: no click.
    WhilePumping([&] {
        MouseButton(true);
        MoveMouse(ClientToScreenPoint(form.Handle(), 300, 250));
        MouseButton(false);
    });
    EXPECT_EQ(clicks, 1);
    EXPECT_EQ(ButtonColor(), kNormal);
}

TEST_F(FormTest, SelectedAndDisabledButtonsShowTheirSlices) {
    button->SetSelected(true);
    PumpFor(100);
    EXPECT_EQ(ButtonColor(), kSelected);
    button->SetEnabled(false);
    PumpFor(100);
    EXPECT_EQ(ButtonColor(), kDisabled);
}

TEST_F(FormTest, EnterAndSpaceClickTheFocusedButton) {
    button->SetFocus();
    WhilePumping([] { TypeKey(VK_RETURN); });
    EXPECT_EQ(clicks, 1);
    WhilePumping([] { TypeKey(VK_SPACE); });
    EXPECT_EQ(clicks, 2);
}

TEST_F(FormTest, DraggingTheTitleBarMovesTheForm) {
    RECT before;
    GetWindowRect(form.Handle(), &before);
    WhilePumping([&] {
        MoveMouse(ClientToScreenPoint(form.Handle(), 100, 15));
        MouseButton(true);
        for (int step = 1; step <= 6; ++step) MoveMouse({before.left + 100 + 20 * step, before.top + 15 + 10 * step});
        MouseButton(false);
    });
    RECT after;
    GetWindowRect(form.Handle(), &after);
    EXPECT_EQ(after.left - before.left, 120);
    EXPECT_EQ(after.top - before.top, 60);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
}

TEST_F(FormTest, TheSizeLimitHoldsForProgramsAndForTheMouse) {
    form.OnLimitSize = [](TOrixForm&, int& w, int& h) {
        w = std::max(w, 300);
        h = std::max(h, 250);
    };
    SetWindowPos(form.Handle(), nullptr, 0, 0, 100, 100, SWP_NOMOVE | SWP_NOZORDER);
    RECT r;
    GetWindowRect(form.Handle(), &r);
    EXPECT_EQ(r.right - r.left, form.Scale(300));
    EXPECT_EQ(r.bottom - r.top, form.Scale(250));
    // Drag the bottom-right corner far up and left.
    WhilePumping([&] {
        MoveMouse({r.right - 2, r.bottom - 2});
        MouseButton(true);
        for (int step = 1; step <= 6; ++step) MoveMouse({r.right - 2 - 40 * step, r.bottom - 2 - 40 * step});
        MouseButton(false);
    });
    RECT after;
    GetWindowRect(form.Handle(), &after);
    EXPECT_EQ(after.left, r.left);
    EXPECT_EQ(after.top, r.top);
    EXPECT_EQ(after.right - after.left, form.Scale(300));
    EXPECT_EQ(after.bottom - after.top, form.Scale(250));
}

TEST_F(FormTest, TheCloseButtonClosesAndHintsAreWindowTexts) {
    TOrixLabel::CreateArgs l;
    l.name = L"lbl1";
    l.caption = L"Hello";
    l.bounds = {40, 120, 100, 16};
    auto& label = form.Add<TOrixLabel>(l);
    wchar_t text[32] = {};
    GetWindowTextW(label.Handle(), text, 32);
    EXPECT_STREQ(text, L"Hello");
    ASSERT_EQ(form.ComponentCount(), 2u);
    EXPECT_EQ(form.Component(0).Name(), L"btnOk");
    EXPECT_EQ(form.Component(0).Kind(), TOrixKind::Button);
    EXPECT_EQ(form.Component(1).Caption(), L"Hello");
    bool destroyed = false;
    form.OnDestroy = [&](TOrixForm&) { destroyed = true; };
    const RECT close = form.Frame().ButtonRect(TOrixFrameButton::Close, form.ClientWidth(), form.Dpi());
    WhilePumping([&] {
        MoveMouse(ClientToScreenPoint(form.Handle(), (close.left + close.right) / 2, (close.top + close.bottom) / 2));
        MouseButton(true);
        MouseButton(false);
    });
    EXPECT_TRUE(destroyed);
    EXPECT_EQ(form.Handle(), nullptr);
}

TEST_F(FormTest, AltF4ClosesTheFormLikeAnyWindow) {
    button->SetFocus();
    bool destroyed = false;
    form.OnDestroy = [&](TOrixForm&) { destroyed = true; };
    WhilePumping([] {
        PressKey(VK_MENU, true);
        TypeKey(VK_F4);
        PressKey(VK_MENU, false);
    });
    EXPECT_TRUE(destroyed);
}

TEST_F(FormTest, RoundedCornersCutTheWindowsCorners) {
    form.SetCornerRadius(5);
    UniqueRegion region(CreateRectRgn(0, 0, 0, 0));
    ASSERT_NE(GetWindowRgn(form.Handle(), region.get()), ERROR);
    EXPECT_FALSE(PtInRegion(region.get(), 0, 0));
    EXPECT_TRUE(PtInRegion(region.get(), form.Scale(5), 0));
    EXPECT_TRUE(PtInRegion(region.get(), form.ClientWidth() / 2, form.ClientHeight() / 2));
    form.SetCornerRadius(0);
    EXPECT_EQ(GetWindowRgn(form.Handle(), region.get()), ERROR);
}

TEST_F(FormTest, TheMinimiseButtonMinimisesAndRestoringKeepsTheLayout) {
    RECT before;
    GetWindowRect(form.Handle(), &before);
    RECT buttonBefore;
    GetWindowRect(button->Handle(), &buttonBefore);
    OffsetRect(&buttonBefore, -before.left, -before.top);
    const RECT minimize = form.Frame().ButtonRect(TOrixFrameButton::Minimize, form.ClientWidth(), form.Dpi());
    ASSERT_LT(minimize.left, minimize.right);
    WhilePumping([&] {
        MoveMouse(ClientToScreenPoint(form.Handle(), (minimize.left + minimize.right) / 2, minimize.bottom / 2));
        MouseButton(true);
        MouseButton(false);
    });
    EXPECT_TRUE(IsIconic(form.Handle()));
    ShowWindow(form.Handle(), SW_RESTORE);
    PumpFor(300);
    EXPECT_FALSE(IsIconic(form.Handle()));
    RECT after;
    GetWindowRect(form.Handle(), &after);
    EXPECT_EQ(after.right - after.left, before.right - before.left);
    EXPECT_EQ(after.bottom - after.top, before.bottom - before.top);
    RECT buttonAfter;
    GetWindowRect(button->Handle(), &buttonAfter);
    OffsetRect(&buttonAfter, -after.left, -after.top);
    EXPECT_TRUE(EqualRect(&buttonAfter, &buttonBefore));
}

TEST_F(FormTest, AlphaBlendingAndAColourKeyMakeTheWindowLayered) {
    form.SetAlphaBlend(128);
    form.SetTransparentColor(RGB(192, 192, 192));
    BYTE alpha = 0;
    COLORREF key = 0;
    DWORD flags = 0;
    ASSERT_TRUE(GetLayeredWindowAttributes(form.Handle(), &key, &alpha, &flags));
    EXPECT_EQ(alpha, 128);
    EXPECT_EQ(key, RGB(192, 192, 192));
    EXPECT_EQ(flags, static_cast<DWORD>(LWA_ALPHA | LWA_COLORKEY));
    form.SetAlphaBlend(255);
    form.SetTransparentColor(std::nullopt);
    EXPECT_FALSE(GetWindowLongW(form.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
}

}  // namespace
