// Labels, images, panels, scroll bars and the text controls in a shown
// form, with real mouse and keyboard input.
#include <gtest/gtest.h>

#include "ToolkitTestSupport.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixComboBox.h"
#include "ui/toolkit/OrixEdit.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixImage.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/OrixPanel.h"
#include "ui/toolkit/OrixRichEdit.h"
#include "ui/toolkit/OrixScrollBar.h"

namespace {

constexpr COLORREF kPanel = RGB(10, 120, 30);

class ControlsTest : public testing::Test {
protected:
    void SetUp() override {
        TOrixForm::CreateArgs args;
        args.caption = L"Controls test";
        args.clientWidth = 500;
        args.clientHeight = 360;
        args.position = POINT{90, 90};
        args.resizable = true;
        ASSERT_TRUE(form.Create(args));
        TOrixPanel::CreateArgs p;
        p.name = L"fxpnl1";
        p.bounds = {250, 40, 240, 150};
        p.color = kPanel;
        p.anchors = AnchorTop | AnchorRight | AnchorBottom;
        panel = &form.Add<TOrixPanel>(p);
    }

    void ShowForm() {
        form.Show();
        SetForegroundWindow(form.Handle());
        PumpFor(200);
    }

    RECT BoundsInForm(HWND window) {
        RECT r;
        GetWindowRect(window, &r);
        MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
        return r;
    }

    TOrixForm form;
    TOrixPanel* panel = nullptr;
};

TEST_F(ControlsTest, APictureWithTransparentCornersShowsThePanelUnderIt) {
    // A 20 x 20 picture whose left half is transparent, on the green panel.
    std::vector<uint32_t> pixels(20 * 20);
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 20; ++x) pixels[y * 20 + x] = x < 10 ? 0x00000000u : 0xFFC80000u;
    TOrixButton::CreateArgs b;
    b.parent = panel;
    b.bounds = {10, 10, 20, 20};
    b.picture = {TOrixBitmap::FromPixels(20, 20, pixels), 1};
    auto& button = form.Add<TOrixButton>(b);
    ShowForm();
    EXPECT_EQ(PixelAt(button.Handle(), 2, 10), kPanel);
    EXPECT_EQ(PixelAt(button.Handle(), 15, 10), RGB(200, 0, 0));
}

TEST_F(ControlsTest, ALinkChangesFontUnderTheMouseAndClicks) {
    TOrixLabel::CreateArgs l;
    l.name = L"lblSetasdefault";
    l.caption = L"Set as default browser";
    l.bounds = {20, 40, 200, 20};
    l.link = true;
    l.align = TOrixTextAlign::Right;
    auto& link = form.Add<TOrixLabel>(l);
    link.Font.SetColor(RGB(0x16, 0x95, 0xE6));
    link.FontOver.SetColor(RGB(0, 0, 128));
    link.FontOver.SetUnderline(true);
    int clicks = 0;
    link.OnClick = [&](TOrixControl&) { ++clicks; };
    ShowForm();
    EXPECT_EQ(&link.CurrentFont(), &link.Font);
    WhilePumping([&] { MoveMouse(ClientToScreenPoint(link.Handle(), 190, 10)); });
    EXPECT_EQ(&link.CurrentFont(), &link.FontOver);
    EXPECT_EQ(GetCursor(), LoadCursorW(nullptr, IDC_HAND));
    WhilePumping([] {
        MouseButton(true);
        MouseButton(false);
    });
    EXPECT_EQ(clicks, 1);
    // Right-aligned: the text ends at the right edge, the left stays empty.
    EXPECT_EQ(PixelAt(link.Handle(), 2, 10), RGB(255, 255, 255));
    WhilePumping([&] { MoveMouse(ClientToScreenPoint(form.Handle(), 20, 300)); });
    EXPECT_EQ(&link.CurrentFont(), &link.Font);
}

TEST_F(ControlsTest, AnImageReportsEnterMoveLeaveAndClick) {
    TOrixImage::CreateArgs i;
    i.name = L"img13";
    i.bounds = {20, 80, 105, 21};
    i.picture = SolidStrip(105, 21, {RGB(250, 200, 0)});
    i.stretch = true;
    auto& image = form.Add<TOrixImage>(i);
    std::vector<std::wstring> events;
    int lastX = -1;
    image.OnMouseEnter = [&](TOrixControl&) { events.push_back(L"enter"); };
    image.OnMouseMove = [&](TOrixControl&, int x, int) { lastX = x; };
    image.OnMouseLeave = [&](TOrixControl&) { events.push_back(L"leave"); };
    image.OnClick = [&](TOrixControl&) { events.push_back(L"click"); };
    int painted = 0;
    image.OnPaint = [&](TOrixImage&, TOrixCanvas&) { ++painted; };
    ShowForm();
    EXPECT_GT(painted, 0);
    WhilePumping([&] {
        MoveMouse(ClientToScreenPoint(image.Handle(), 104, 10));
        MouseButton(true);
        MouseButton(false);
        MoveMouse(ClientToScreenPoint(form.Handle(), 20, 300));
    });
    EXPECT_EQ(lastX, 104);
    EXPECT_EQ(events, (std::vector<std::wstring>{L"enter", L"click", L"leave"}));
}

TEST_F(ControlsTest, ScrollBarPagesOnTheTrackAndFollowsTheThumb) {
    TOrixScrollBar::CreateArgs s;
    s.bounds = {20, 40, 12, 200};
    auto& bar = form.Add<TOrixScrollBar>(s);
    bar.SetRange(1000, 200);
    int reported = -1;
    bar.OnScroll = [&](TOrixScrollBar&, int position) { reported = position; };
    ShowForm();
    const RECT thumb = bar.ThumbRect();
    EXPECT_EQ(thumb.top, 0);
    EXPECT_EQ(thumb.bottom - thumb.top, bar.Scale(200) / 5);
    WhilePumping([&] {
        MoveMouse(ClientToScreenPoint(bar.Handle(), 6, bar.ClientHeight() - 5));
        MouseButton(true);
        MouseButton(false);
    });
    EXPECT_EQ(bar.Position(), 200);
    EXPECT_EQ(reported, 200);
    // Drag the thumb to the bottom: the last position.
    const RECT now = bar.ThumbRect();
    WhilePumping([&] {
        MoveMouse(ClientToScreenPoint(bar.Handle(), 6, (now.top + now.bottom) / 2));
        MouseButton(true);
        MoveMouse(ClientToScreenPoint(bar.Handle(), 6, bar.ClientHeight() + 50));
        MouseButton(false);
    });
    EXPECT_EQ(bar.Position(), 800);
    bar.SetPosition(-20);
    EXPECT_EQ(bar.Position(), 0);
}

TEST_F(ControlsTest, AnEditKeepsSystemEditingAndItsOwnerMayRefuseCharacters) {
    TOrixEdit::CreateArgs e;
    e.name = L"fxdtnk";
    e.bounds = {20, 40, 200, 26};
    auto& edit = form.Add<TOrixEdit>(e);
    int changes = 0;
    edit.OnChange = [&](TOrixTextBox&) { ++changes; };
    // At most three characters, as a length limit typed by the user.
    edit.OnKeyPress = [](TOrixTextBox& box, wchar_t ch) { return ch < 32 || box.Text().size() < 3; };
    ShowForm();
    edit.SetFocus();
    EXPECT_EQ(GetFocus(), edit.EditHandle());
    // The frame shows the focus.
    EXPECT_EQ(PixelAt(edit.Handle(), 0, 10), edit.FocusBorderColor);
    WhilePumping([] {
        for (WORD key : {'A', 'B', 'C', 'D', 'E'}) TypeKey(key);
    });
    EXPECT_EQ(edit.Text(), L"abc");
    EXPECT_EQ(edit.Caption(), L"abc");
    EXPECT_EQ(changes, 3);
    WhilePumping([] {
        TypeKey(VK_BACK);
        PressKey(VK_CONTROL, true);
        TypeKey('Z');
        PressKey(VK_CONTROL, false);
    });
    EXPECT_EQ(edit.Text(), L"abc");  // the system's undo
}

TEST_F(ControlsTest, RichEditWrapsTextAndComboBoxReportsTheChoice) {
    TOrixRichEdit::CreateArgs r;
    r.name = L"redt1";
    r.bounds = {20, 40, 200, 120};
    r.caption = L"first line";
    auto& rich = form.Add<TOrixRichEdit>(r);
    TOrixComboBox::CreateArgs c;
    c.name = L"cbb1";
    c.bounds = {20, 180, 119, 24};
    auto& combo = form.Add<TOrixComboBox>(c);
    combo.AddItem(L"Useful or Not");
    combo.AddItem(L"Date");
    combo.SetItemIndex(0);
    std::vector<int> chosen;
    combo.OnChange = [&](TOrixComboBox& self) { chosen.push_back(self.ItemIndex()); };
    ShowForm();
    EXPECT_EQ(rich.Text(), L"first line");
    rich.SetText(L"A review text long enough that it cannot stay on one line of a box two hundred pixels wide.");
    EXPECT_GE(SendMessageW(rich.EditHandle(), EM_GETLINECOUNT, 0, 0), 2);
    RECT box = BoundsInForm(combo.Handle());
    EXPECT_EQ(box.bottom - box.top, combo.Scale(24));
    combo.SetFocus();
    WhilePumping([] { TypeKey(VK_DOWN); });
    EXPECT_EQ(chosen, std::vector<int>{1});
    EXPECT_EQ(combo.Caption(), L"Date");
}

TEST_F(ControlsTest, AnchoredControlsFollowTheFormsNewSize) {
    ShowForm();
    SetWindowPos(form.Handle(), nullptr, 0, 0, form.Scale(600), form.Scale(400), SWP_NOMOVE | SWP_NOZORDER);
    PumpFor(100);
    const RECT r = BoundsInForm(panel->Handle());
    EXPECT_EQ(r.left, form.Scale(350));
    EXPECT_EQ(r.right, form.Scale(590));
    EXPECT_EQ(r.top, form.Scale(40));
    EXPECT_EQ(r.bottom, form.Scale(400) - form.Scale(170));
}

}  // namespace
