#include "ui/FrmMessage.h"

#include "ui/ImgModule.h"
#include "ui/ToastLayout.h"
#include "ui/toolkit/OrixImage.h"
#include "ui/toolkit/OrixImageList.h"
#include "ui/toolkit/OrixLabel.h"

namespace {

constexpr wchar_t kClassName[] = L"TfrmMessage";
constexpr UINT_PTR kHoldTimer = 1;
constexpr UINT_PTR kFadeTimer = 2;
constexpr int kFadeLevels = 15;
constexpr BYTE kAlphaStep = 17;
// Silver is never painted by the pictures: where it shows, the window is clear.
constexpr COLORREF kColourKey = RGB(0xC0, 0xC0, 0xC0);
constexpr int kDesignWidth = 211;
constexpr int kDesignHeight = 40;

// The image list's pictures: icon and background of each style.
constexpr int kInfoIcon = 0;
constexpr int kInfoBackground = 1;
constexpr int kErrorIcon = 2;
constexpr int kErrorBackground = 3;

TToastTiming g_timing;

// Design pixels that cover at least `pixels` at the DPI, so that a
// measured text is never cut by rounding.
int DesignCovering(int pixels, UINT dpi) {
    const int design = UnscaleForDpi(pixels, dpi);
    return ScaleForDpi(design, dpi) < pixels ? design + 1 : design;
}

TOrixBounds DesignBoundsOf(const RECT& pixels, UINT dpi) {
    const int left = UnscaleForDpi(pixels.left, dpi);
    const int top = UnscaleForDpi(pixels.top, dpi);
    return {left, top, DesignCovering(pixels.right - ScaleForDpi(left, dpi), dpi),
            DesignCovering(pixels.bottom - ScaleForDpi(top, dpi), dpi)};
}

RECT MonitorRectAt(POINT point) {
    MONITORINFO info = {sizeof(info)};
    GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcMonitor;
}

}  // namespace

void SetToastTiming(const TToastTiming& timing) { g_timing = timing; }
const TToastTiming& ToastTiming() { return g_timing; }

TfrmMessage::TfrmMessage() = default;

TfrmMessage::~TfrmMessage() {
    // Gone while this object still answers its messages.
    if (HWND window = Handle()) DestroyWindow(window);
}

bool TfrmMessage::Popup(POINT at, const std::wstring& text, TToastStyle style) {
    SetName(L"frmMessage");
    Frame().TitleHeight = 0;
    Frame().ShowMenuButton = false;
    Frame().ShowCloseButton = false;
    // Silver is the clear colour, so nothing of the frame shows.
    Frame().BodyColor = kColourKey;
    Frame().BorderColor = kColourKey;
    // A window of its own class: a tool window that never takes the focus,
    // with the class's soft shadow.
    const UINT dpi = MonitorDpiAt(at);
    const RECT first = {at.x, at.y, at.x + ScaleForDpi(kDesignWidth, dpi), at.y + ScaleForDpi(kDesignHeight, dpi)};
    HWND window = CreateTopLevel(kClassName, CS_DROPSHADOW, WS_POPUP | WS_CLIPCHILDREN,
                                 WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED | WS_EX_NOACTIVATE, first,
                                 nullptr, L"");
    if (!window) return false;
    SetAlpha(255);

    const TimgModule& images = ImgModule();
    TOrixImageList::CreateArgs listArgs;
    listArgs.name = L"mglst1";
    listArgs.width = 24;
    listArgs.height = 24;
    auto& pictures = Add<TOrixImageList>(listArgs);
    for (SkinPictureId id : {SkinPictureId::ToastInfoIcon, SkinPictureId::ToastInfoBackground,
                             SkinPictureId::ToastErrorIcon, SkinPictureId::ToastErrorBackground})
        pictures.Add(images.PictureForDpi(id, Dpi()));
    const bool error = style == TToastStyle::Error;

    // The background is the window's own paint, so that the icon and the
    // text, drawn over their parent, show it around them.
    const TOrixStrip background = pictures.Picture(error ? kErrorBackground : kInfoBackground);
    OnPaintBackground = [background](TOrixForm& self, TOrixCanvas& canvas) {
        canvas.Picture(background, 0, self.ClientRect());
    };

    TOrixImage::CreateArgs icon;
    icon.name = L"img2";
    icon.bounds = {14, 10, 24, 24};
    icon.picture = pictures.Picture(error ? kErrorIcon : kInfoIcon);
    icon.autoSize = true;
    Add<TOrixImage>(icon);

    TOrixLabel::CreateArgs label;
    label.name = L"lbl1";
    label.caption = text;
    label.wordWrap = true;
    auto& textLabel = Add<TOrixLabel>(label);
    textLabel.Font.SetColor(RGB(0xFF, 0xFF, 0xFF));

    const RECT bounds = LayoutToast(at, kToastTextWidth, text);
    SetWindowPos(window, HWND_TOPMOST, bounds.left, bounds.top, bounds.right - bounds.left,
                 bounds.bottom - bounds.top, SWP_NOACTIVATE);
    if (!AnimateWindow(window, g_timing.slideMs, AW_SLIDE | AW_VER_POSITIVE) || !IsWindowVisible(window))
        ShowWindow(window, SW_SHOWNOACTIVATE);
    SetTimer(window, kHoldTimer, g_timing.holdCheckMs, nullptr);
    return true;
}

RECT TfrmMessage::LayoutToast(POINT at, int maxTextWidth, const std::wstring& text) {
    auto* icon = dynamic_cast<TOrixImage*>(FindComponent(L"img2"));
    auto* label = dynamic_cast<TOrixLabel*>(FindComponent(L"lbl1"));
    if (!icon || !label) return {};
    const UINT dpi = MonitorDpiAt(at);
    const bool rtl = (GetWindowLongW(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING) != 0;
    const SIZE textSize = MeasureToastText(text, ScaleForDpi(maxTextWidth, dpi), label->Font.Handle(dpi), rtl);
    const SIZE iconSize = {ScaleForDpi(icon->Picture().DesignWidth(), dpi),
                           ScaleForDpi(icon->Picture().DesignHeight(), dpi)};
    const TToastLayout layout =
        ::LayoutToast(at, textSize, iconSize, dpi, MonitorRectAt(ToastOrigin(at, dpi)));

    // The window takes the monitor's DPI first, so that its controls are
    // placed in the pixels the layout was made in.
    ChangeDpi(dpi);
    for (TOrixControl* control : Controls()) control->ChangeDpi(dpi);
    SetWindowPos(Handle(), nullptr, layout.window.left, layout.window.top, layout.window.right - layout.window.left,
                 layout.window.bottom - layout.window.top, SWP_NOZORDER | SWP_NOACTIVATE);
    icon->SetDesignBounds(DesignBoundsOf(layout.icon, dpi));
    label->SetDesignBounds(DesignBoundsOf(layout.text, dpi));
    LayoutChildren();
    return layout.window;
}

bool TfrmMessage::MouseInside() const {
    POINT cursor;
    if (!GetCursorPos(&cursor)) return false;
    ScreenToClient(Handle(), &cursor);
    const RECT client = ClientRect();
    return PtInRect(&client, cursor) != FALSE;
}

void TfrmMessage::SetAlpha(BYTE alpha) {
    SetLayeredWindowAttributes(Handle(), kColourKey, alpha, LWA_COLORKEY | LWA_ALPHA);
}

void TfrmMessage::StartFade() {
    KillTimer(Handle(), kHoldTimer);
    fadeLevel_ = kFadeLevels;
    SetAlpha(static_cast<BYTE>(fadeLevel_ * kAlphaStep));
    SetTimer(Handle(), kFadeTimer, g_timing.fadeStepMs, nullptr);
}

void TfrmMessage::HandleTimer(UINT_PTR id) {
    if (id == kHoldTimer) {
        if (!MouseInside()) StartFade();
        return;
    }
    if (id != kFadeTimer) return;
    if (fadeLevel_ > 0) {
        --fadeLevel_;
        SetAlpha(static_cast<BYTE>(fadeLevel_ * kAlphaStep));
        return;
    }
    KillTimer(Handle(), kFadeTimer);
    DestroyWindow(Handle());
}

LRESULT TfrmMessage::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_DESTROY: {
        KillTimer(Handle(), kHoldTimer);
        KillTimer(Handle(), kFadeTimer);
        const LRESULT result = TOrixForm::WndProc(msg, wp, lp);
        finished_ = true;
        if (OnFinished) OnFinished(*this);
        return result;
    }
    default:
        return TOrixForm::WndProc(msg, wp, lp);
    }
}
