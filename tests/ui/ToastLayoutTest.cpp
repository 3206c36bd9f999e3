// Where a notification goes: its size from the text and the icon, the
// text wrapped at 200 pixels, and the window held on its monitor at every
// edge. No window is needed.
#include <gtest/gtest.h>

#include <string>

#include "ui/ToastLayout.h"
#include "ui/toolkit/OrixDpi.h"
#include "ui/toolkit/OrixFont.h"

namespace {

constexpr SIZE kIcon = {24, 24};
// A second monitor right of the first, so that no edge is at 0.
constexpr RECT kMonitor = {1280, 0, 2560, 1024};

int Width(const RECT& r) { return r.right - r.left; }
int Height(const RECT& r) { return r.bottom - r.top; }

HFONT ToastFont() {
    static TOrixFont font;  // Tahoma 8, as the notification's text
    return font.Handle(kDesignDpi);
}

TEST(ToastLayout, OneLineOfTextGivesTheDesignSizesBelowAndRightOfThePoint) {
    const TToastLayout layout = LayoutToast({1500, 300}, {60, 13}, kIcon, kDesignDpi, kMonitor);
    // 24 + 20 high (the icon is taller than the line) and 4 more below;
    // 60 + 24 + 30 wide; one pixel right of and below the point.
    EXPECT_EQ(layout.window.left, 1501);
    EXPECT_EQ(layout.window.top, 301);
    EXPECT_EQ(Width(layout.window), 114);
    EXPECT_EQ(Height(layout.window), 48);
    EXPECT_EQ(layout.icon.left, 15);
    EXPECT_EQ(layout.icon.top, 10);
    EXPECT_EQ(Width(layout.icon), 24);
    EXPECT_EQ(layout.text.left, 41);
    EXPECT_EQ(layout.text.top, 15);  // (44 - 13) / 2, truncated
    EXPECT_EQ(Width(layout.text), 60);
    EXPECT_EQ(Height(layout.text), 13);
}

TEST(ToastLayout, TextTallerThanTheIconSetsTheHeight) {
    const TToastLayout layout = LayoutToast({1500, 300}, {200, 39}, kIcon, kDesignDpi, kMonitor);
    EXPECT_EQ(Height(layout.window), 39 + 20 + 4);
    EXPECT_EQ(layout.icon.top, (59 - 24) / 2);
    EXPECT_EQ(layout.text.top, 10);
}

TEST(ToastLayout, ALongTextWrapsAt200PixelsAndTheStripGrowsInHeight) {
    const SIZE oneLine = MeasureToastText(L"Saved.", 200, ToastFont());
    const std::wstring longText =
        L"The rating service could not be reached. Please check your connection to the internet and try "
        L"again in a few minutes; the list keeps the ratings it already has.";
    const SIZE wrapped = MeasureToastText(longText, 200, ToastFont());
    EXPECT_LE(wrapped.cx, 200);
    EXPECT_GT(wrapped.cx, 150);
    EXPECT_GE(wrapped.cy, 4 * oneLine.cy);
    const TToastLayout layout = LayoutToast({1500, 300}, wrapped, kIcon, kDesignDpi, kMonitor);
    EXPECT_EQ(Height(layout.window), wrapped.cy + 24);
    EXPECT_EQ(Width(layout.window), wrapped.cx + 54);
}

TEST(ToastLayout, AVeryLongWordWidensTheStrip) {
    const std::wstring word(80, L'W');
    const SIZE measured = MeasureToastText(L"Error: " + word, 200, ToastFont());
    EXPECT_GT(measured.cx, 200);
    const TToastLayout layout = LayoutToast({1500, 300}, measured, kIcon, kDesignDpi, kMonitor);
    EXPECT_EQ(Width(layout.window), measured.cx + 54);
    EXPECT_EQ(Width(layout.text), measured.cx);
    // Prefix characters are shown as they are: "&&" is two ampersands, not one.
    EXPECT_GT(MeasureToastText(L"&&", 200, ToastFont()).cx, MeasureToastText(L"&", 200, ToastFont()).cx);
}

struct EdgeCase {
    const char* name;
    POINT at;
    SIZE text;
    RECT expected;
};

class ToastOnMonitorEdge : public testing::TestWithParam<EdgeCase> {};

TEST_P(ToastOnMonitorEdge, IsMovedOrCutToLieWhollyOnTheMonitor) {
    const EdgeCase& c = GetParam();
    const TToastLayout layout = LayoutToast(c.at, c.text, kIcon, kDesignDpi, kMonitor);
    EXPECT_EQ(layout.window.left, c.expected.left);
    EXPECT_EQ(layout.window.top, c.expected.top);
    EXPECT_EQ(layout.window.right, c.expected.right);
    EXPECT_EQ(layout.window.bottom, c.expected.bottom);
    // Icon and text stay where the layout put them inside the window.
    EXPECT_EQ(layout.icon.left, 15);
}

// A 100 x 13 text gives a window of 154 x 48.
INSTANTIATE_TEST_SUITE_P(
    Edges, ToastOnMonitorEdge,
    testing::Values(EdgeCase{"inside", {1500, 300}, {100, 13}, {1501, 301, 1655, 349}},
                    EdgeCase{"right", {2500, 300}, {100, 13}, {2406, 301, 2560, 349}},
                    EdgeCase{"bottom", {1500, 1000}, {100, 13}, {1501, 976, 1655, 1024}},
                    EdgeCase{"bottomRight", {2559, 1023}, {100, 13}, {2406, 976, 2560, 1024}},
                    EdgeCase{"left", {1200, 300}, {100, 13}, {1280, 301, 1434, 349}},
                    EdgeCase{"top", {1500, -100}, {100, 13}, {1501, 0, 1655, 48}},
                    EdgeCase{"topLeft", {1000, -100}, {100, 13}, {1280, 0, 1434, 48}},
                    EdgeCase{"wider", {1300, 300}, {1400, 13}, {1280, 301, 2560, 349}},
                    EdgeCase{"higher", {1500, 300}, {100, 1100}, {1501, 0, 1655, 1024}}),
    [](const testing::TestParamInfo<EdgeCase>& info) { return std::string(info.param.name); });

TEST(ToastLayout, DesignSizesScaleWithTheDpi) {
    // At 144 DPI the icon is 36 pixels and the gaps half as large again.
    const TToastLayout layout = LayoutToast({1500, 300}, {90, 20}, {36, 36}, 144, kMonitor);
    EXPECT_EQ(layout.window.left, 1502);
    EXPECT_EQ(Height(layout.window), 36 + 30 + 6);
    EXPECT_EQ(Width(layout.window), 90 + 36 + 45);
    EXPECT_EQ(layout.icon.left, 23);
    EXPECT_EQ(layout.text.left, 23 + 36 + 3);
}

}  // namespace
