#pragma once
// Where a notification goes and how its icon and text sit in it. The sizes
// are the design's (96 DPI) scaled to the DPI the notification is shown at:
// the text is wrapped at 200 pixels, the strip is 20 pixels higher than its
// text or icon and 30 wider than both, the window starts one pixel right of
// and below the point, is 4 pixels higher than laid out, and is held on the
// monitor it starts on.
#include <windows.h>

#include <string>

struct TToastLayout {
    RECT window;  // screen pixels
    RECT icon;    // client pixels
    RECT text;    // client pixels
};

// The text's width and height wrapped at words within maxWidth pixels with
// the font, without prefix processing (a single word wider than maxWidth
// widens it). Right-to-left reading when rtl.
SIZE MeasureToastText(const std::wstring& text, int maxWidth, HFONT font, bool rtl = false);

// The layout for a text of textSize and an icon of iconSize (pixels at dpi)
// shown at the screen point `at`, held on `monitor` (the monitor nearest to
// ToastOrigin(at, dpi)).
TToastLayout LayoutToast(POINT at, SIZE textSize, SIZE iconSize, UINT dpi, const RECT& monitor);

// The window's top-left corner before it is held on its monitor.
POINT ToastOrigin(POINT at, UINT dpi);

// Design width at which the text wraps.
constexpr int kToastTextWidth = 200;
