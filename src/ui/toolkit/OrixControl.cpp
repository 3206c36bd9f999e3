#include "ui/toolkit/OrixControl.h"

#include <commctrl.h>

#include <algorithm>

#include "ui/toolkit/OrixForm.h"

namespace {

ATOM ControlPropAtom() {
    static const ATOM atom = GlobalAddAtomW(L"TOrixControl");
    return atom;
}

// The form that holds the control's children list: the owner, or the form itself.
TOrixForm* FormHolding(TOrixControl* control) {
    if (control->Kind() == TOrixKind::Form) return static_cast<TOrixForm*>(control);
    return control->OwnerForm();
}

HWND ReflectTarget(UINT msg, WPARAM wp, LPARAM lp, HWND self) {
    switch (msg) {
    case WM_COMMAND:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLORSCROLLBAR:
    case WM_VSCROLL:
    case WM_HSCROLL:
        return reinterpret_cast<HWND>(lp);
    case WM_NOTIFY:
        return lp ? reinterpret_cast<NMHDR*>(lp)->hwndFrom : nullptr;
    case WM_DRAWITEM:
        return lp ? reinterpret_cast<DRAWITEMSTRUCT*>(lp)->hwndItem : nullptr;
    case WM_MEASUREITEM:
        return wp ? GetDlgItem(self, static_cast<int>(wp)) : nullptr;
    default:
        return nullptr;
    }
}

}  // namespace

TOrixControl::~TOrixControl() {
    if (!hwnd_) return;
    // The window may outlive this object's virtual functions: unlink first.
    HWND window = hwnd_;
    Detach();
    DestroyWindow(window);
}

TOrixControl* TOrixControl::FromHandle(HWND window) {
    if (!window) return nullptr;
    return static_cast<TOrixControl*>(GetPropW(window, MAKEINTATOM(ControlPropAtom())));
}

void TOrixControl::TakeArgs(const CreateArgs& args) {
    parent_ = args.parent;
    SetName(args.name);
    SetTag(args.tag);
    caption_ = args.caption;
    hint_ = args.hint;
    bounds_ = args.bounds;
    anchors_ = args.anchors;
    align_ = args.align;
    if (parent_) {
        SetOwnerForm(FormHolding(parent_));
        dpi_ = parent_->Dpi();
        RememberAnchorGaps();
    }
}

void TOrixControl::RememberAnchorGaps() {
    if (!parent_) return;
    rightGap_ = parent_->DesignClientWidth() - (bounds_.left + bounds_.width);
    bottomGap_ = parent_->DesignClientHeight() - (bounds_.top + bounds_.height);
}

bool TOrixControl::CreateOwnWindow(const CreateArgs& args, const wchar_t* className, DWORD style, DWORD exStyle) {
    TakeArgs(args);
    if (!parent_ || !parent_->Handle()) return false;
    WNDCLASSEXW existing = {sizeof(existing)};
    HINSTANCE instance = GetModuleHandleW(nullptr);
    if (!GetClassInfoExW(instance, className, &existing)) {
        WNDCLASSEXW wc = {sizeof(wc)};
        wc.style = CS_DBLCLKS;
        wc.lpfnWndProc = OwnWindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc)) return false;
    }
    style |= WS_CHILD | WS_CLIPSIBLINGS | (args.visible ? WS_VISIBLE : 0) | (args.enabled ? 0 : WS_DISABLED);
    // Made in place: no move afterwards.
    const RECT r = LayoutRect();
    CreateWindowExW(exStyle, className, caption_.c_str(), style, r.left, r.top, r.right - r.left, r.bottom - r.top,
                    parent_->Handle(), nullptr, instance, this);
    if (!hwnd_) return false;
    if (!hint_.empty()) SetHint(hint_);
    return true;
}

bool TOrixControl::CreateSystemControl(const CreateArgs& args, const wchar_t* className, DWORD style, DWORD exStyle) {
    TakeArgs(args);
    if (!parent_ || !parent_->Handle()) return false;
    style |= WS_CHILD | WS_CLIPSIBLINGS | (args.visible ? WS_VISIBLE : 0) | (args.enabled ? 0 : WS_DISABLED);
    const RECT r = LayoutRect();
    HWND window = CreateWindowExW(exStyle, className, caption_.c_str(), style, r.left, r.top, r.right - r.left,
                                  r.bottom - r.top, parent_->Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!window) return false;
    system_ = true;
    Attach(window);
    SetWindowSubclass(window, SubclassProc, 1, reinterpret_cast<DWORD_PTR>(this));
    if (!hint_.empty()) SetHint(hint_);
    return true;
}

HWND TOrixControl::CreateTopLevel(const wchar_t* className, UINT classStyle, DWORD style, DWORD exStyle,
                                  const RECT& bounds, HWND owner, const std::wstring& caption) {
    caption_ = caption;
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSEXW existing = {sizeof(existing)};
    if (!GetClassInfoExW(instance, className, &existing)) {
        WNDCLASSEXW wc = {sizeof(wc)};
        wc.style = classStyle;
        wc.lpfnWndProc = OwnWindowProc;
        wc.hInstance = instance;
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.hIcon = LoadIconW(instance, MAKEINTRESOURCEW(1));
        wc.lpszClassName = className;
        if (!RegisterClassExW(&wc)) return nullptr;
    }
    CreateWindowExW(exStyle, className, caption.c_str(), style, bounds.left, bounds.top, bounds.right - bounds.left,
                    bounds.bottom - bounds.top, owner, nullptr, instance, this);
    return hwnd_;
}

void TOrixControl::Attach(HWND hwnd) {
    hwnd_ = hwnd;
    if (!system_) SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetPropW(hwnd, MAKEINTATOM(ControlPropAtom()), this);
    if (!parent_) dpi_ = WindowDpi(hwnd);
}

void TOrixControl::Detach() {
    if (!hwnd_) return;
    RemovePropW(hwnd_, MAKEINTATOM(ControlPropAtom()));
    if (system_)
        RemoveWindowSubclass(hwnd_, SubclassProc, 1);
    else
        SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    hwnd_ = nullptr;
}

LRESULT CALLBACK TOrixControl::OwnWindowProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
    TOrixControl* self = nullptr;
    if (msg == WM_NCCREATE) {
        self = static_cast<TOrixControl*>(reinterpret_cast<CREATESTRUCTW*>(lp)->lpCreateParams);
        if (self) self->Attach(hwnd);
    } else {
        self = reinterpret_cast<TOrixControl*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
    }
    if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
    return self->Dispatch(msg, wp, lp);
}

LRESULT CALLBACK TOrixControl::SubclassProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TOrixControl*>(data);
    if (!self || self->hwnd_ != hwnd) return DefSubclassProc(hwnd, msg, wp, lp);
    return self->Dispatch(msg, wp, lp);
}

LRESULT TOrixControl::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_NCDESTROY) {
        HWND window = hwnd_;
        const bool system = system_;
        Detach();
        return system ? DefSubclassProc(window, msg, wp, lp) : DefWindowProcW(window, msg, wp, lp);
    }
    return WndProc(msg, wp, lp);
}

LRESULT TOrixControl::CallDefault(UINT msg, WPARAM wp, LPARAM lp) {
    return system_ ? DefSubclassProc(hwnd_, msg, wp, lp) : DefWindowProcW(hwnd_, msg, wp, lp);
}

bool TOrixControl::Reflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) {
    HWND from = ReflectTarget(msg, wp, lp, hwnd_);
    if (!from || from == hwnd_) return false;
    TOrixControl* child = FromHandle(from);
    return child && child->HandleReflect(msg, wp, lp, result);
}

LRESULT TOrixControl::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    LRESULT reflected = 0;
    if (Reflect(msg, wp, lp, reflected)) return reflected;
    const int x = static_cast<short>(LOWORD(lp));
    const int y = static_cast<short>(HIWORD(lp));
    switch (msg) {
    case WM_PAINT:
        if (system_) break;
        PaintBuffered();
        return 0;
    case WM_PRINTCLIENT:
        if (system_) break;
        PaintInto(reinterpret_cast<HDC>(wp));
        return 0;
    case WM_ERASEBKGND:
        if (system_) break;
        return 1;
    case WM_MOUSEMOVE:
        if (!hovered_) {
            hovered_ = true;
            TRACKMOUSEEVENT track = {sizeof(track), TME_LEAVE, hwnd_, 0};
            TrackMouseEvent(&track);
            HandleMouseEnter();
        }
        HandleMouseMove(x, y);
        break;
    case WM_MOUSELEAVE:
        hovered_ = false;
        HandleMouseLeave();
        break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        if (!system_) {
            pressed_ = true;
            SetCapture(hwnd_);
        }
        HandleMouseDown(x, y);
        if (!system_) return 0;
        break;
    case WM_LBUTTONUP: {
        const bool wasPressed = pressed_;
        pressed_ = false;
        if (!system_ && GetCapture() == hwnd_) ReleaseCapture();
        HandleMouseUp(x, y);
        const RECT client = ClientRect();
        const POINT at = {x, y};
        if (wasPressed && PtInRect(&client, at)) HandleClick(x, y);
        if (!system_) return 0;
        break;
    }
    case WM_CAPTURECHANGED:
        if (pressed_ && reinterpret_cast<HWND>(lp) != hwnd_) {
            pressed_ = false;
            HandleCaptureLost();
        }
        break;
    case WM_MOUSEWHEEL:
        if (HandleWheel(static_cast<short>(HIWORD(wp)))) return 0;
        break;
    case WM_KEYDOWN:
        if (HandleKeyDown(static_cast<UINT>(wp))) return 0;
        break;
    case WM_KEYUP:
        if (HandleKeyUp(static_cast<UINT>(wp))) return 0;
        break;
    case WM_CHAR:
        if (HandleChar(static_cast<wchar_t>(wp))) return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS: {
        const LRESULT r = CallDefault(msg, wp, lp);
        HandleFocus(msg == WM_SETFOCUS);
        return r;
    }
    case WM_SETCURSOR:
        if (cursor_ && LOWORD(lp) == HTCLIENT && reinterpret_cast<HWND>(wp) == hwnd_) {
            ::SetCursor(cursor_);
            return TRUE;
        }
        break;
    case WM_SIZE: {
        const LRESULT r = system_ ? CallDefault(msg, wp, lp) : 0;
        if (wp != SIZE_MINIMIZED) HandleSize();
        return r;
    }
    case WM_TIMER:
        HandleTimer(wp);
        if (!system_) return 0;
        break;
    case WM_ENABLE: {
        const LRESULT r = CallDefault(msg, wp, lp);
        HandleEnabled();
        return r;
    }
    case WM_GETDLGCODE:
        if (system_) break;
        return DialogCode(reinterpret_cast<const MSG*>(lp));
    default:
        break;
    }
    return CallDefault(msg, wp, lp);
}

void TOrixControl::HandleMouseMove(int x, int y) {
    if (OnMouseMove) OnMouseMove(*this, x, y);
}

void TOrixControl::HandleMouseEnter() {
    if (OnMouseEnter) OnMouseEnter(*this);
}

void TOrixControl::HandleMouseLeave() {
    if (OnMouseLeave) OnMouseLeave(*this);
}

void TOrixControl::HandleClick(int, int) {
    if (OnClick) OnClick(*this);
}

void TOrixControl::HandleSize() {
    LayoutChildren();
    if (OnResize) OnResize(*this);
}

void TOrixControl::PaintBuffered() {
    PAINTSTRUCT ps;
    HDC dc = BeginPaint(hwnd_, &ps);
    const RECT client = ClientRect();
    const int w = client.right;
    const int h = client.bottom;
    if (dc && w > 0 && h > 0) {
        const UniqueDc memory(CreateCompatibleDC(dc));
        UniqueBitmap made;
        HBITMAP buffer = nullptr;
        if (keepBuffer_) {
            if (!buffer_ || bufferSize_.cx != w || bufferSize_.cy != h) {
                buffer_.reset(CreateCompatibleBitmap(dc, w, h));
                bufferSize_ = {w, h};
            }
            buffer = buffer_.get();
        } else {
            made.reset(CreateCompatibleBitmap(dc, w, h));
            buffer = made.get();
        }
        if (memory && buffer) {
            const SelectedObject selected(memory.get(), buffer);
            PaintInto(memory.get());
            BitBlt(dc, ps.rcPaint.left, ps.rcPaint.top, ps.rcPaint.right - ps.rcPaint.left,
                   ps.rcPaint.bottom - ps.rcPaint.top, memory.get(), ps.rcPaint.left, ps.rcPaint.top, SRCCOPY);
        } else {
            PaintInto(dc);
        }
    }
    EndPaint(hwnd_, &ps);
}

void TOrixControl::PaintInto(HDC dc) {
    if (transparent_) PaintParentBackground(dc);
    TOrixCanvas canvas(dc, dpi_);
    HandlePaint(canvas);
}

void TOrixControl::PaintParentBackground(HDC dc) const {
    HWND parent = GetParent(hwnd_);
    if (!parent || GetWindowLongW(hwnd_, GWL_STYLE) & WS_POPUP) return;
    POINT origin = {0, 0};
    MapWindowPoints(hwnd_, parent, &origin, 1);
    POINT old;
    OffsetViewportOrgEx(dc, -origin.x, -origin.y, &old);
    SendMessageW(parent, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc), PRF_CLIENT);
    SetViewportOrgEx(dc, old.x, old.y, nullptr);
}

void TOrixControl::SetCaption(const std::wstring& caption) {
    caption_ = caption;
    if (hwnd_) SetWindowTextW(hwnd_, caption.c_str());
    HandleCaptionChanged();
}

void TOrixControl::SetHint(const std::wstring& hint) {
    hint_ = hint;
    if (hwnd_ && OwnerForm()) OwnerForm()->Hints().SetWindowHint(hwnd_, hint);
}

void TOrixControl::SetDesignBounds(const TOrixBounds& bounds) {
    bounds_ = bounds;
    RememberAnchorGaps();
    ApplyLayout();
}

void TOrixControl::SetAnchors(unsigned anchors) {
    anchors_ = anchors;
    RememberAnchorGaps();
}

void TOrixControl::SetAlign(TOrixAlign align) {
    align_ = align;
    ApplyLayout();
}

RECT TOrixControl::ClientRect() const {
    RECT rect = {};
    if (hwnd_) GetClientRect(hwnd_, &rect);
    return rect;
}

int TOrixControl::ClientWidth() const { return ClientRect().right; }
int TOrixControl::ClientHeight() const { return ClientRect().bottom; }

RECT TOrixControl::LayoutRect() const {
    const int pw = parent_->ClientWidth();
    const int ph = parent_->ClientHeight();
    int left = Scale(bounds_.left);
    int top = Scale(bounds_.top);
    int width = Scale(bounds_.width);
    int height = Scale(bounds_.height);
    switch (align_) {
    case TOrixAlign::Client:
        left = top = 0;
        width = pw;
        height = ph;
        break;
    case TOrixAlign::Top:
        left = top = 0;
        width = pw;
        break;
    case TOrixAlign::Bottom:
        left = 0;
        width = pw;
        top = ph - height;
        break;
    case TOrixAlign::None:
        if (anchors_ & AnchorRight) {
            if (anchors_ & AnchorLeft)
                width = pw - Scale(rightGap_) - left;
            else
                left = pw - Scale(rightGap_) - width;
        }
        if (anchors_ & AnchorBottom) {
            if (anchors_ & AnchorTop)
                height = ph - Scale(bottomGap_) - top;
            else
                top = ph - Scale(bottomGap_) - height;
        }
        break;
    }
    return {left, top, left + std::max(0, width), top + std::max(0, height)};
}

void TOrixControl::ApplyLayout() {
    if (!hwnd_ || !parent_) return;
    const RECT r = LayoutRect();
    SetWindowPos(hwnd_, nullptr, r.left, r.top, r.right - r.left, r.bottom - r.top, SWP_NOZORDER | SWP_NOACTIVATE);
}

void TOrixControl::LayoutChildren() {
    TOrixForm* form = FormHolding(this);
    if (!form) return;
    for (TOrixControl* child : form->Controls()) {
        if (child->ParentControl() != this) continue;
        child->ApplyLayout();
        child->LayoutChildren();
    }
}

void TOrixControl::ChangeDpi(UINT dpi) {
    if (dpi == 0 || dpi == dpi_) return;
    dpi_ = dpi;
    HandleDpiChanged();
}

bool TOrixControl::Visible() const { return hwnd_ && (GetWindowLongW(hwnd_, GWL_STYLE) & WS_VISIBLE); }

void TOrixControl::SetVisible(bool visible) {
    if (hwnd_ && visible != Visible()) ShowWindow(hwnd_, visible ? SW_SHOWNA : SW_HIDE);
}

bool TOrixControl::Enabled() const { return hwnd_ && IsWindowEnabled(hwnd_); }

void TOrixControl::SetEnabled(bool enabled) {
    if (hwnd_) EnableWindow(hwnd_, enabled);
}

bool TOrixControl::Focused() const { return hwnd_ && GetFocus() == hwnd_; }

void TOrixControl::SetFocus() {
    if (hwnd_) ::SetFocus(hwnd_);
}

void TOrixControl::SetCursor(HCURSOR cursor) {
    if (cursor == cursor_) return;
    cursor_ = cursor;
    // Under the mouse the change shows at once, not at the next move.
    if (hovered_) ::SetCursor(cursor ? cursor : LoadCursorW(nullptr, IDC_ARROW));
}

void TOrixControl::SetTransparent(bool transparent) {
    transparent_ = transparent;
    Invalidate();
}

void TOrixControl::Invalidate() {
    if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

void TOrixControl::Repaint() {
    if (!hwnd_) return;
    InvalidateRect(hwnd_, nullptr, FALSE);
    UpdateWindow(hwnd_);
}
