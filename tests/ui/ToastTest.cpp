// Notifications on screen: shown below the point without taking the focus,
// held while the mouse rests on them, faded out in steps of 17 and gone
// otherwise, and no GDI or USER objects left behind by a thousand of them.
#include <gtest/gtest.h>

#include <vector>

#include "ui/FrmMessage.h"
#include "ui/ImgModule.h"
#include "ui/Toasts.h"
#include "ui/toolkit/ToolkitTestSupport.h"

namespace {

constexpr POINT kAway = {5, 790};

bool AllToastsGone() { return ToastWindows().empty(); }

BYTE AlphaOf(HWND window) {
    BYTE alpha = 0;
    DWORD flags = 0;
    COLORREF key = 0;
    GetLayeredWindowAttributes(window, &key, &alpha, &flags);
    return alpha;
}

class ToastTest : public testing::Test {
protected:
    void SetUp() override {
        SetToastTiming({});
        MoveMouse(kAway);
        PumpUntil(AllToastsGone, 5000);
    }
    void TearDown() override {
        SetToastTiming({});
        MoveMouse(kAway);
        PumpUntil(AllToastsGone, 5000);
    }

    static HWND OnlyToast() {
        const std::vector<HWND> windows = ToastWindows();
        return windows.size() == 1 ? windows.front() : nullptr;
    }
};

TEST_F(ToastTest, AppearsBelowThePointOnTopWithoutFocusOrTaskBarButton) {
    HWND active = GetForegroundWindow();
    ShowInfoToast({300, 200}, L"Saved.");
    HWND toast = OnlyToast();
    ASSERT_NE(toast, nullptr);
    EXPECT_TRUE(IsWindowVisible(toast));
    RECT r;
    GetWindowRect(toast, &r);
    EXPECT_EQ(r.left, 301);
    EXPECT_EQ(r.top, 201);
    EXPECT_EQ(r.bottom - r.top, 48);  // one line: icon 24 + 20 + 4
    const LONG ex = GetWindowLongW(toast, GWL_EXSTYLE);
    EXPECT_TRUE(ex & WS_EX_TOPMOST);
    EXPECT_TRUE(ex & WS_EX_TOOLWINDOW);
    EXPECT_FALSE(ex & WS_EX_APPWINDOW);
    EXPECT_EQ(GetForegroundWindow(), active);
    EXPECT_EQ(AlphaOf(toast), 255);
    PumpFor(300);
    // Green for information, with the white text on it.
    const COLORREF back = PixelAt(toast, r.right - r.left - 4, 3);
    EXPECT_GT(GetGValue(back), GetRValue(back) + 40);
}

TEST_F(ToastTest, AnUnhoveredToastFadesInStepsOf17AndIsGone) {
    ShowErrorToast({400, 300}, L"Failed to connect to the server.");
    HWND toast = OnlyToast();
    ASSERT_NE(toast, nullptr);
    PumpFor(200);
    RECT r;
    GetWindowRect(toast, &r);
    const COLORREF back = PixelAt(toast, r.right - r.left - 4, 3);
    EXPECT_GT(GetRValue(back), GetGValue(back) + 40);  // red for errors
    // Before the first look for the mouse it is fully there.
    PumpFor(500);
    EXPECT_TRUE(IsWindow(toast));
    EXPECT_EQ(AlphaOf(toast), 255);

    std::vector<BYTE> seen;
    const bool gone = PumpUntil(
        [&] {
            if (!IsWindow(toast)) return true;
            const BYTE alpha = AlphaOf(toast);
            if (seen.empty() || seen.back() != alpha) seen.push_back(alpha);
            return false;
        },
        4000);
    EXPECT_TRUE(gone);
    EXPECT_TRUE(AllToastsGone());
    ASSERT_GE(seen.size(), 8u);  // most steps are seen between two looks
    for (size_t i = 0; i < seen.size(); ++i) {
        EXPECT_EQ(seen[i] % 17, 0) << int(seen[i]);
        if (i > 0) {
            EXPECT_LT(seen[i], seen[i - 1]);
        }
    }
}

TEST_F(ToastTest, AHoveredToastStaysUntilTheMouseLeaves) {
    ShowInfoToast({500, 400}, L"Thank you for your review.");
    HWND toast = OnlyToast();
    ASSERT_NE(toast, nullptr);
    RECT r;
    GetWindowRect(toast, &r);
    MoveMouse({(r.left + r.right) / 2, (r.top + r.bottom) / 2});
    // Three looks for the mouse, each finding it.
    PumpFor(3300);
    EXPECT_TRUE(IsWindowVisible(toast));
    EXPECT_EQ(AlphaOf(toast), 255);
    MoveMouse(kAway);
    EXPECT_TRUE(PumpUntil(AllToastsGone, 4000));
    EXPECT_FALSE(IsWindow(toast));
}

TEST_F(ToastTest, SeveralToastsLiveEachOnItsOwnAndAnEmptyTextGivesAnEmptyStrip) {
    ShowInfoToast({100, 100}, L"One");
    ShowErrorToast({100, 200}, L"Two");
    // A message missing from the language: the strip with its icon only.
    ShowInfoToast({100, 300}, L"");
    const std::vector<HWND> windows = ToastWindows();
    ASSERT_EQ(windows.size(), 3u);
    RECT r;
    GetWindowRect(windows[2], &r);
    EXPECT_EQ(r.right - r.left, 24 + 30);
    EXPECT_EQ(r.bottom - r.top, 24 + 20 + 4);
    EXPECT_TRUE(PumpUntil(AllToastsGone, 5000));
}

TEST_F(ToastTest, AThousandToastsLeaveNoGdiOrUserObjectsBehind) {
    // The same phases, only shorter, so that a thousand go by quickly.
    SetToastTiming({1, 5, 1});
    const wchar_t* texts[] = {L"Short", L"Successfully set as default browser.",
                              L"A text long enough to wrap onto a second line of the strip, and then a third one.",
                              L"Failed", L"Sorry, please try again later."};
    auto showBatch = [&](int first, int count) {
        for (int i = first; i < first + count; ++i) {
            const POINT at = {40 + (i * 37) % 900, 40 + (i * 53) % 600};
            if (i % 2)
                ShowErrorToast(at, texts[i % 5]);
            else
                ShowInfoToast(at, texts[i % 5]);
        }
        return PumpUntil(AllToastsGone, 20000);
    };
    // Fonts, pictures and their scaled copies are made once and kept.
    ASSERT_TRUE(showBatch(0, 20));
    PumpFor(200);
    const GuiObjectCounts before = CountGuiObjects();
    for (int batch = 0; batch < 20; ++batch) ASSERT_TRUE(showBatch(batch * 50, 50)) << batch;
    PumpFor(300);
    const GuiObjectCounts after = CountGuiObjects();
    EXPECT_EQ(after.gdi, before.gdi);
    EXPECT_EQ(after.user, before.user);
}

}  // namespace
