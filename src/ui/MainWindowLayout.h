#pragma once
// The main window's layout rules that need no drawing: how the browser
// buttons share the left column above the banner, where a button's icon,
// caption and "(Default)" mark go at its height, and where the profile
// drop-down stands in the list's header row. All values are design pixels.
#include "browsers/BrowserId.h"
#include "gfx/SkinResources.h"

// The browser buttons stand from kBrowserColumnTop down to the banner. Up to
// four keep their full 50 pixels at the smallest window; more share the
// room, never below kMinBrowserButtonHeight, which still holds an icon, the
// caption and the mark on two lines.
inline constexpr int kBrowserColumnTop = 27;
inline constexpr int kBrowserButtonHeight = 50;
inline constexpr int kMinBrowserButtonHeight = 34;
// Free pixels kept between the last button and the banner.
inline constexpr int kBannerGap = 4;

// The height of each of `count` buttons between kBrowserColumnTop and
// bannerTop.
int BrowserButtonHeight(int count, int bannerTop);

struct TBrowserButtonFace {
    int iconTop;
    int iconSize;
    // Negative: the caption is centred vertically (full-height buttons).
    int captionTop;
    int markTop;
};
// A full-height button keeps the 32-pixel icon at (10, 9), the centred
// caption and the mark at 35; a lower one puts the caption on an upper line
// and the mark on a lower one, with the icon shrunk to fit.
TBrowserButtonFace BrowserButtonFace(int height);

struct TProfileHeader {
    // The drop-down's left edge and width.
    int comboLeft;
    int comboWidth;
    // What remains for the count text left of it.
    int countWidth;
};
// The header row: the count from x 183, "Set as default browser"
// right-aligned to clientWidth - 10 (its text linkTextWidth wide), the
// drop-down between them, 10 pixels from the link's text, 90 to 170
// pixels wide; the count keeps its 223 pixels when there is room and gives
// way to the drop-down when there is not.
TProfileHeader ProfileHeaderLayout(int clientWidth, int linkTextWidth);

// The stock picture of a browser's button when it has no icon of its own:
// the colour one of an enabled button, the grey one of a disabled one.
SkinPictureId BrowserPictureOf(BrowserId browser, BrowserKind kind, bool enabled);
