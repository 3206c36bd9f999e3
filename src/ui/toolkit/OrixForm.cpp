#include "ui/toolkit/OrixForm.h"

#include <dwmapi.h>

#include <algorithm>

#include "ui/toolkit/OrixMessageLoop.h"
#include "ui/toolkit/OrixPopupMenu.h"

namespace {

constexpr wchar_t kFormClass[] = L"TOrixForm";
// Without desktop composition there is no system shadow; the class shadow
// stands in.
constexpr wchar_t kShadowFormClass[] = L"TOrixFormShadow";
constexpr int kResizeBorder = 5;

bool CompositionEnabled() {
    static const auto isEnabled = [] {
        HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
        return dwm ? reinterpret_cast<HRESULT(WINAPI*)(BOOL*)>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmIsCompositionEnabled")))
                   : nullptr;
    }();
    BOOL enabled = FALSE;
    return isEnabled && isEnabled(&enabled) == S_OK && enabled;
}

void ExtendShadow(HWND window) {
    static const auto extend = [] {
        HMODULE dwm = LoadLibraryW(L"dwmapi.dll");
        return dwm ? reinterpret_cast<HRESULT(WINAPI*)(HWND, const MARGINS*)>(
                         reinterpret_cast<void*>(GetProcAddress(dwm, "DwmExtendFrameIntoClientArea")))
                   : nullptr;
    }();
    // A frame of one pixel keeps the system's shadow on a window without
    // a visible frame.
    const MARGINS margins = {0, 0, 1, 0};
    if (extend) extend(window, &margins);
}

RECT WorkAreaAt(POINT point) {
    MONITORINFO info = {sizeof(info)};
    GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTOPRIMARY), &info);
    return info.rcWork;
}

}  // namespace

TOrixForm::TOrixForm() : TOrixControl(TOrixKind::Form) {
    font_.SetColor(RGB(0, 0, 128));
}

TOrixForm::~TOrixForm() {
    if (HWND window = Handle()) DestroyWindow(window);
}

void TOrixForm::Adopt(std::unique_ptr<TOrixComponent> component) {
    component->SetOwnerForm(this);
    components_.push_back(std::move(component));
}

TOrixComponent* TOrixForm::FindComponent(const std::wstring& name) const {
    for (const auto& c : components_) {
        if (c->Name() == name) return c.get();
    }
    return nullptr;
}

std::vector<TOrixControl*> TOrixForm::Controls() const {
    std::vector<TOrixControl*> controls;
    controls.reserve(components_.size());
    for (const auto& c : components_) {
        if (auto* control = dynamic_cast<TOrixControl*>(c.get())) controls.push_back(control);
    }
    return controls;
}

TOrixHint& TOrixForm::Hints() {
    if (!hints_) hints_ = std::make_unique<TOrixHint>(Handle());
    return *hints_;
}

bool TOrixForm::Create(const CreateArgs& args) {
    SetName(args.name);
    movable_ = args.movable;
    resizable_ = args.resizable;
    cornerRadius_ = args.cornerRadius;
    closeOnEscape_ = args.closeOnEscape;
    frame_.ShowMenuButton = args.menuButton;
    frame_.ShowMinimizeButton = args.minimizeButton;
    frame_.ShowCloseButton = args.closeButton;
    frame_.TitleHeight = args.titleHeight;

    HWND owner = args.owner ? args.owner->Handle() : nullptr;
    POINT anchor = {0, 0};
    if (args.position) {
        anchor = *args.position;
    } else if (owner) {
        RECT r;
        GetWindowRect(owner, &r);
        anchor = {(r.left + r.right) / 2, (r.top + r.bottom) / 2};
    } else {
        const RECT work = WorkAreaAt({0, 0});
        anchor = {(work.left + work.right) / 2, (work.top + work.bottom) / 2};
    }
    const UINT dpi = MonitorDpiAt(anchor);
    const int width = ScaleForDpi(args.clientWidth, dpi);
    const int height = ScaleForDpi(args.clientHeight, dpi);
    RECT bounds = {anchor.x, anchor.y, anchor.x + width, anchor.y + height};
    if (!args.position) OffsetRect(&bounds, -width / 2, -height / 2);

    DWORD style = WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    if (args.minimizeButton) style |= WS_MINIMIZEBOX;
    if (args.resizable) style |= WS_THICKFRAME | WS_MAXIMIZEBOX;
    const DWORD exStyle = owner ? 0 : WS_EX_APPWINDOW;
    const bool composition = CompositionEnabled();
    const UINT classStyle = CS_DBLCLKS | (composition ? 0 : CS_DROPSHADOW);
    if (!CreateTopLevel(composition ? kFormClass : kShadowFormClass, classStyle, style, exStyle, bounds, owner,
                        args.caption))
        return false;
    if (composition) ExtendShadow(Handle());
    // The window now knows the monitor it is on; a different DPI there
    // resizes it once.
    const UINT actual = WindowDpi(Handle());
    ChangeDpi(dpi);
    if (actual != dpi) ApplyDpi(actual, nullptr);
    // Make the frame take effect (no system frame) before anything is shown.
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateRegion();
    UpdateButtonHints();
    return true;
}

void TOrixForm::SetResizable(bool resizable) {
    resizable_ = resizable;
    LONG style = GetWindowLongW(Handle(), GWL_STYLE);
    style = resizable ? style | WS_THICKFRAME | WS_MAXIMIZEBOX : style & ~(WS_THICKFRAME | WS_MAXIMIZEBOX);
    SetWindowLongW(Handle(), GWL_STYLE, style);
    SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                 SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TOrixForm::SetCornerRadius(int designRadius) {
    cornerRadius_ = designRadius;
    UpdateRegion();
}

void TOrixForm::SetAlphaBlend(BYTE alpha) {
    alpha_ = alpha;
    UpdateLayered();
}

void TOrixForm::SetTransparentColor(std::optional<COLORREF> color) {
    transparentColor_ = color;
    UpdateLayered();
}

void TOrixForm::UpdateLayered() {
    if (!Handle()) return;
    const LONG exStyle = GetWindowLongW(Handle(), GWL_EXSTYLE);
    const bool layered = alpha_ != 255 || transparentColor_;
    if (!layered) {
        if (exStyle & WS_EX_LAYERED) SetWindowLongW(Handle(), GWL_EXSTYLE, exStyle & ~WS_EX_LAYERED);
        return;
    }
    if (!(exStyle & WS_EX_LAYERED)) SetWindowLongW(Handle(), GWL_EXSTYLE, exStyle | WS_EX_LAYERED);
    DWORD flags = LWA_ALPHA;
    if (transparentColor_) flags |= LWA_COLORKEY;
    SetLayeredWindowAttributes(Handle(), transparentColor_.value_or(0), alpha_, flags);
}

void TOrixForm::RefreshFrame() {
    UpdateButtonHints();
    Invalidate();
}

void TOrixForm::Show() {
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void TOrixForm::Hide() { ShowWindow(Handle(), SW_HIDE); }

void TOrixForm::Close() {
    if (Handle()) SendMessageW(Handle(), WM_CLOSE, 0, 0);
}

int TOrixForm::ShowModal() {
    if (!Handle() || modal_) return IDCANCEL;
    HWND owner = GetWindow(Handle(), GW_OWNER);
    const bool ownerWasEnabled = owner && IsWindowEnabled(owner);
    if (ownerWasEnabled) EnableWindow(owner, FALSE);
    modal_ = true;
    modalResult_ = 0;
    Show();
    SetForegroundWindow(Handle());
    RunOrixMessageLoopUntil([this] { return modalResult_ != 0 || !Handle() || !IsWindowVisible(Handle()); });
    if (modalResult_ == 0) modalResult_ = IDCANCEL;
    // The owner takes the activation back before this form goes.
    if (ownerWasEnabled) EnableWindow(owner, TRUE);
    if (Handle()) {
        SetWindowPos(Handle(), nullptr, 0, 0, 0, 0,
                     SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    if (owner) SetActiveWindow(owner);
    modal_ = false;
    return modalResult_;
}

void TOrixForm::CenterOn(HWND other) {
    RECT target;
    if (other)
        GetWindowRect(other, &target);
    else
        target = WorkAreaAt({0, 0});
    RECT self;
    GetWindowRect(Handle(), &self);
    const int w = self.right - self.left;
    const int h = self.bottom - self.top;
    SetWindowPos(Handle(), nullptr, (target.left + target.right - w) / 2, (target.top + target.bottom - h) / 2, 0, 0,
                 SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT TOrixForm::HitTest(POINT screen) const {
    POINT p = screen;
    ScreenToClient(Handle(), &p);
    const RECT client = ClientRect();
    if (!PtInRect(&client, p)) return HTNOWHERE;
    if (resizable_ && !IsZoomed(Handle())) {
        const int edge = Scale(kResizeBorder);
        const bool left = p.x < edge;
        const bool right = p.x >= client.right - edge;
        const bool top = p.y < edge;
        const bool bottom = p.y >= client.bottom - edge;
        if (top && left) return HTTOPLEFT;
        if (top && right) return HTTOPRIGHT;
        if (bottom && left) return HTBOTTOMLEFT;
        if (bottom && right) return HTBOTTOMRIGHT;
        if (left) return HTLEFT;
        if (right) return HTRIGHT;
        if (top) return HTTOP;
        if (bottom) return HTBOTTOM;
    }
    if (p.y < Scale(frame_.TitleHeight)) {
        if (frame_.ButtonAt(p, client.right, Dpi()) != TOrixFrameButton::None) return HTCLIENT;
        return movable_ ? HTCAPTION : HTCLIENT;
    }
    return HTCLIENT;
}

void TOrixForm::LimitSize(int& width, int& height, bool keepRightEdge, bool keepBottomEdge, RECT* rect) {
    if (!OnLimitSize || limiting_) return;
    int designWidth = UnscaleForDpi(width, Dpi());
    int designHeight = UnscaleForDpi(height, Dpi());
    const int askedWidth = designWidth;
    const int askedHeight = designHeight;
    limiting_ = true;
    OnLimitSize(*this, designWidth, designHeight);
    limiting_ = false;
    if (designWidth != askedWidth) width = Scale(designWidth);
    if (designHeight != askedHeight) height = Scale(designHeight);
    if (!rect) return;
    if (keepRightEdge)
        rect->left = rect->right - width;
    else
        rect->right = rect->left + width;
    if (keepBottomEdge)
        rect->top = rect->bottom - height;
    else
        rect->bottom = rect->top + height;
}

void TOrixForm::ApplyDpi(UINT dpi, const RECT* suggested) {
    const int designWidth = DesignClientWidth();
    const int designHeight = DesignClientHeight();
    ChangeDpi(dpi);
    for (TOrixControl* control : Controls()) control->ChangeDpi(dpi);
    if (suggested) {
        SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                     suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    } else {
        SetWindowPos(Handle(), nullptr, 0, 0, Scale(designWidth), Scale(designHeight),
                     SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    }
    LayoutChildren();
    UpdateRegion();
    UpdateButtonHints();
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
    if (OnDpiChanged) OnDpiChanged(*this);
}

void TOrixForm::UpdateRegion() {
    if (!Handle()) return;
    if (cornerRadius_ <= 0 || IsZoomed(Handle())) {
        SetWindowRgn(Handle(), nullptr, TRUE);
        return;
    }
    RECT window;
    GetWindowRect(Handle(), &window);
    const int d = Scale(cornerRadius_) * 2;
    // The window owns the region once it is set.
    HRGN region = CreateRoundRectRgn(0, 0, window.right - window.left + 1, window.bottom - window.top + 1, d, d);
    if (region && !SetWindowRgn(Handle(), region, TRUE)) DeleteObject(region);
}

void TOrixForm::UpdateButtonHints() {
    if (!Handle()) return;
    const int width = ClientWidth();
    const TOrixFrameButton buttons[] = {TOrixFrameButton::Menu, TOrixFrameButton::Minimize, TOrixFrameButton::Close};
    for (TOrixFrameButton b : buttons) {
        const RECT rect = frame_.ButtonRect(b, width, Dpi());
        const std::wstring& text = rect.right > rect.left ? frame_.HintOf(b) : std::wstring();
        if (!text.empty() || hints_) Hints().SetAreaHint(Handle(), static_cast<UINT>(b), rect, text);
    }
}

void TOrixForm::InvalidateTitle() {
    RECT title = ClientRect();
    title.bottom = Scale(frame_.TitleHeight);
    InvalidateRect(Handle(), &title, FALSE);
}

void TOrixForm::PressFrameButton(TOrixFrameButton button) {
    switch (button) {
    case TOrixFrameButton::Menu: {
        if (OnMenuButton) {
            OnMenuButton(*this);
        } else if (menu_) {
            RECT rect = frame_.ButtonRect(button, ClientWidth(), Dpi());
            POINT below = {rect.left, rect.bottom};
            ClientToScreen(Handle(), &below);
            menu_->Popup(below.x, below.y);
        }
        break;
    }
    case TOrixFrameButton::Minimize:
        ShowWindow(Handle(), SW_MINIMIZE);
        break;
    case TOrixFrameButton::Close:
        Close();
        break;
    default:
        break;
    }
}

void TOrixForm::FocusFirstControl() {
    if (HWND first = GetNextDlgTabItem(Handle(), nullptr, FALSE)) ::SetFocus(first);
}

void TOrixForm::HandlePaint(TOrixCanvas& canvas) {
    frame_.Paint(canvas, ClientRect(), Caption(), hotButton_, pressedButton_ == hotButton_ && Pressed());
    if (OnPaintBackground) OnPaintBackground(*this, canvas);
}

void TOrixForm::HandleMouseMove(int x, int y) {
    const TOrixFrameButton hot = frame_.ButtonAt({x, y}, ClientWidth(), Dpi());
    if (hot != hotButton_) {
        hotButton_ = hot;
        InvalidateTitle();
    }
    TOrixControl::HandleMouseMove(x, y);
}

void TOrixForm::HandleMouseLeave() {
    if (hotButton_ != TOrixFrameButton::None) {
        hotButton_ = TOrixFrameButton::None;
        InvalidateTitle();
    }
    TOrixControl::HandleMouseLeave();
}

void TOrixForm::HandleMouseDown(int x, int y) {
    pressedButton_ = frame_.ButtonAt({x, y}, ClientWidth(), Dpi());
    if (pressedButton_ != TOrixFrameButton::None) InvalidateTitle();
}

void TOrixForm::HandleMouseUp(int x, int y) {
    const TOrixFrameButton pressed = pressedButton_;
    pressedButton_ = TOrixFrameButton::None;
    if (pressed == TOrixFrameButton::None) return;
    InvalidateTitle();
    if (frame_.ButtonAt({x, y}, ClientWidth(), Dpi()) == pressed) PressFrameButton(pressed);
}

void TOrixForm::HandleSize() {
    UpdateRegion();
    UpdateButtonHints();
    Invalidate();
    TOrixControl::HandleSize();
}

void TOrixForm::HandleCaptionChanged() { InvalidateTitle(); }

LRESULT TOrixForm::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_NCCALCSIZE:
        if (wp && IsZoomed(Handle())) {
            // A maximised window reaches past the screen by its frame; keep
            // the client area on the screen.
            auto* params = reinterpret_cast<NCCALCSIZE_PARAMS*>(lp);
            const int frameX = GetSystemMetrics(SM_CXFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
            const int frameY = GetSystemMetrics(SM_CYFRAME) + GetSystemMetrics(SM_CXPADDEDBORDER);
            InflateRect(&params->rgrc[0], -frameX, -frameY);
        }
        return 0;
    case WM_NCHITTEST:
        return HitTest({static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))});
    case WM_NCACTIVATE:
        // Keeps the system from drawing an inactive frame over the skin.
        return CallDefault(msg, wp, -1);
    case WM_NCPAINT:
        if (!CompositionEnabled()) return 0;
        break;
    case WM_SIZING: {
        auto* rect = reinterpret_cast<RECT*>(lp);
        int width = rect->right - rect->left;
        int height = rect->bottom - rect->top;
        const bool left = wp == WMSZ_LEFT || wp == WMSZ_TOPLEFT || wp == WMSZ_BOTTOMLEFT;
        const bool top = wp == WMSZ_TOP || wp == WMSZ_TOPLEFT || wp == WMSZ_TOPRIGHT;
        LimitSize(width, height, left, top, rect);
        return TRUE;
    }
    case WM_WINDOWPOSCHANGING: {
        auto* pos = reinterpret_cast<WINDOWPOS*>(lp);
        if (!(pos->flags & SWP_NOSIZE) && !IsIconic(Handle()) && !IsZoomed(Handle()))
            LimitSize(pos->cx, pos->cy, false, false, nullptr);
        break;
    }
    case 0x02E0:  // WM_DPICHANGED
        ApplyDpi(LOWORD(wp), reinterpret_cast<const RECT*>(lp));
        return 0;
    case WM_ACTIVATE:
        if (LOWORD(wp) == WA_INACTIVE) {
            HWND focus = GetFocus();
            if (focus && IsChild(Handle(), focus)) lastFocus_ = focus;
        } else if (!HIWORD(wp)) {
            if (lastFocus_ && IsWindow(lastFocus_) && IsChild(Handle(), lastFocus_))
                ::SetFocus(lastFocus_);
            else
                FocusFirstControl();
        }
        return 0;
    case WM_NEXTDLGCTL: {
        HWND target = LOWORD(lp) ? reinterpret_cast<HWND>(wp) : GetNextDlgTabItem(Handle(), GetFocus(), wp != 0);
        if (target) {
            ::SetFocus(target);
            if (SendMessageW(target, WM_GETDLGCODE, 0, 0) & DLGC_HASSETSEL) SendMessageW(target, EM_SETSEL, 0, -1);
        }
        return 0;
    }
    case WM_COMMAND:
        if (lp == 0 && LOWORD(wp) == IDCANCEL) {
            if (closeOnEscape_) Close();
            return 0;
        }
        break;
    case WM_CLOSE:
        if (OnCloseQuery && !OnCloseQuery(*this)) return 0;
        if (modal_) {
            if (modalResult_ == 0) modalResult_ = IDCANCEL;
            return 0;
        }
        DestroyWindow(Handle());
        return 0;
    case WM_DESTROY:
        hints_.reset();
        if (OnDestroy) OnDestroy(*this);
        break;
    default:
        break;
    }
    return TOrixControl::WndProc(msg, wp, lp);
}
