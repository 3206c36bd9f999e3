#pragma once
// The skinned frame of a form: the title bar with its picture or colour,
// logo, caption and the menu, minimise and close buttons, the body colour
// and the inner border. It lays out and paints; the form handles input.
#include <windows.h>

#include <string>

#include "ui/toolkit/OrixCanvas.h"
#include "ui/toolkit/OrixFont.h"
#include "ui/toolkit/OrixStrip.h"
#include "ui/toolkit/OrixTypes.h"

enum class TOrixFrameButton { None, Menu, Minimize, Close };

class TOrixFrame {
public:
    TOrixFrame();

    TOrixFont CaptionFont;
    int TitleHeight = 30;
    COLORREF TitleColor = OrixRgb(0x1695E6);
    COLORREF BodyColor = OrixRgb(0xFFFFFF);
    COLORREF BorderColor = OrixRgb(0xE9E9E9);
    TOrixStrip TitlePicture;   // stretched over the title bar when given
    TOrixStrip Logo;
    TOrixStrip MenuButton;     // three states: normal, hover, pressed
    TOrixStrip MinimizeButton;
    TOrixStrip CloseButton;
    bool ShowMenuButton = true;
    bool ShowMinimizeButton = false;
    bool ShowCloseButton = true;
    std::wstring MenuHint;
    std::wstring MinimizeHint;
    std::wstring CloseHint;

    // Where a title-bar button sits in a client area of this width; empty
    // when the button is not shown.
    RECT ButtonRect(TOrixFrameButton button, int clientWidth, UINT dpi) const;
    TOrixFrameButton ButtonAt(POINT clientPoint, int clientWidth, UINT dpi) const;
    const std::wstring& HintOf(TOrixFrameButton button) const;
    void Paint(TOrixCanvas& canvas, const RECT& client, const std::wstring& caption, TOrixFrameButton hot,
               bool pressed) const;

private:
    const TOrixStrip& StripOf(TOrixFrameButton button) const;
    bool Shown(TOrixFrameButton button) const;
};
