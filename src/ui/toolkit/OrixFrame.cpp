#include "ui/toolkit/OrixFrame.h"

namespace {

constexpr int kDefaultButtonSize = 30;
constexpr int kLogoLeft = 8;
constexpr int kCaptionGap = 6;
constexpr TOrixFrameButton kRightToLeft[] = {TOrixFrameButton::Close, TOrixFrameButton::Minimize,
                                             TOrixFrameButton::Menu};

}  // namespace

TOrixFrame::TOrixFrame() {
    CaptionFont.SetColor(OrixRgb(0xFFFFFF));
    CaptionFont.SetBold(true);
}

const TOrixStrip& TOrixFrame::StripOf(TOrixFrameButton button) const {
    switch (button) {
    case TOrixFrameButton::Menu:
        return MenuButton;
    case TOrixFrameButton::Minimize:
        return MinimizeButton;
    default:
        return CloseButton;
    }
}

bool TOrixFrame::Shown(TOrixFrameButton button) const {
    switch (button) {
    case TOrixFrameButton::Menu:
        return ShowMenuButton;
    case TOrixFrameButton::Minimize:
        return ShowMinimizeButton;
    case TOrixFrameButton::Close:
        return ShowCloseButton;
    default:
        return false;
    }
}

const std::wstring& TOrixFrame::HintOf(TOrixFrameButton button) const {
    switch (button) {
    case TOrixFrameButton::Menu:
        return MenuHint;
    case TOrixFrameButton::Minimize:
        return MinimizeHint;
    default:
        return CloseHint;
    }
}

RECT TOrixFrame::ButtonRect(TOrixFrameButton button, int clientWidth, UINT dpi) const {
    int right = clientWidth;
    for (TOrixFrameButton b : kRightToLeft) {
        if (!Shown(b)) continue;
        const TOrixStrip& strip = StripOf(b);
        const int w = ScaleForDpi(strip.Empty() ? kDefaultButtonSize : strip.DesignWidth(), dpi);
        const int h = ScaleForDpi(strip.Empty() ? kDefaultButtonSize : strip.DesignHeight(), dpi);
        const int top = (ScaleForDpi(TitleHeight, dpi) - h) / 2;
        const RECT rect = {right - w, top, right, top + h};
        if (b == button) return rect;
        right -= w;
    }
    return {};
}

TOrixFrameButton TOrixFrame::ButtonAt(POINT clientPoint, int clientWidth, UINT dpi) const {
    for (TOrixFrameButton b : kRightToLeft) {
        const RECT rect = ButtonRect(b, clientWidth, dpi);
        if (PtInRect(&rect, clientPoint)) return b;
    }
    return TOrixFrameButton::None;
}

void TOrixFrame::Paint(TOrixCanvas& canvas, const RECT& client, const std::wstring& caption, TOrixFrameButton hot,
                       bool pressed) const {
    const int title = canvas.Scale(TitleHeight);
    const RECT titleBar = {client.left, client.top, client.right, client.top + title};
    const RECT body = {client.left, titleBar.bottom, client.right, client.bottom};
    canvas.Fill(body, BodyColor);
    canvas.Frame({body.left, body.top - 1, body.right, body.bottom}, BorderColor);
    if (TitlePicture.Empty())
        canvas.Fill(titleBar, TitleColor);
    else
        canvas.Picture(TitlePicture, 0, titleBar);

    int textLeft = canvas.Scale(kLogoLeft);
    if (!Logo.Empty()) {
        const int h = canvas.Scale(Logo.DesignHeight());
        canvas.PictureAt(Logo, 0, textLeft, (title - h) / 2);
        textLeft += canvas.Scale(Logo.DesignWidth() + kCaptionGap);
    }
    int textRight = client.right;
    for (TOrixFrameButton b : kRightToLeft) {
        const RECT rect = ButtonRect(b, client.right - client.left, canvas.Dpi());
        if (rect.right <= rect.left) continue;
        textRight = rect.left;
        const int state = b == hot ? (pressed ? 2 : 1) : 0;
        canvas.Picture(StripOf(b), state, rect);
    }
    const RECT text = {textLeft, titleBar.top, textRight - canvas.Scale(kCaptionGap), titleBar.bottom};
    canvas.Text(caption, text, CaptionFont, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
}
