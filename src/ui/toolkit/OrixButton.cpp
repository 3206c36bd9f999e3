#include "ui/toolkit/OrixButton.h"

namespace {

constexpr wchar_t kClassName[] = L"TOrixButton";

}  // namespace

TOrixButton::TOrixButton() : TOrixControl(TOrixKind::Button) {}

bool TOrixButton::Create(const CreateArgs& args) {
    picture_ = args.picture;
    captionAlign_ = args.captionAlign;
    captionLeft_ = args.captionLeft;
    SetTransparent(true);
    return CreateOwnWindow(args, kClassName, args.tabStop ? WS_TABSTOP : 0);
}

void TOrixButton::SetPicture(const TOrixStrip& picture) {
    picture_ = picture;
    Invalidate();
}

void TOrixButton::SetCaptionTop(int designTop) {
    if (captionTop_ == designTop) return;
    captionTop_ = designTop;
    Invalidate();
}

void TOrixButton::SetCaptionAlign(TOrixTextAlign align, int designLeft) {
    captionAlign_ = align;
    captionLeft_ = designLeft;
    Invalidate();
}

void TOrixButton::SetSelected(bool selected) {
    if (selected == selected_) return;
    selected_ = selected;
    Invalidate();
}

void TOrixButton::PinState(TOrixButtonState state) {
    pinned_ = true;
    pinnedState_ = state;
    Invalidate();
}

TOrixButtonState TOrixButton::State() const {
    if (pinned_) return pinnedState_;
    if (!Enabled()) return TOrixButtonState::Disabled;
    if ((Pressed() && Hovered()) || spaceDown_) return TOrixButtonState::Pressed;
    if (selected_) return TOrixButtonState::Selected;
    if (Hovered()) return TOrixButtonState::Hover;
    return TOrixButtonState::Normal;
}

const TOrixFont& TOrixButton::FontFor(TOrixButtonState state) const {
    switch (state) {
    case TOrixButtonState::Hover:
        return FontOver;
    case TOrixButtonState::Pressed:
        return FontDown;
    case TOrixButtonState::Disabled:
        return FontDisable;
    case TOrixButtonState::Selected:
        return FontSelect;
    default:
        return Focused() ? FontFocus : FontNormal;
    }
}

void TOrixButton::HandlePaint(TOrixCanvas& canvas) {
    const RECT client = ClientRect();
    const TOrixButtonState state = State();
    // A strip without a slice of its own for a state shows the nearest one:
    // selected as pressed, disabled as normal.
    int slice = static_cast<int>(state);
    if (slice >= picture_.slices) slice = state == TOrixButtonState::Selected ? 2 : 0;
    canvas.Picture(picture_, slice, client);

    RECT text = client;
    UINT format = DT_SINGLELINE | DT_END_ELLIPSIS;
    if (captionTop_ < 0) {
        format |= DT_VCENTER;
    } else {
        text.top += canvas.Scale(captionTop_);
    }
    switch (captionAlign_) {
    case TOrixTextAlign::Left:
        text.left += canvas.Scale(captionLeft_);
        format |= DT_LEFT;
        break;
    case TOrixTextAlign::Right:
        text.right -= canvas.Scale(captionLeft_);
        format |= DT_RIGHT;
        break;
    default:
        format |= DT_CENTER;
        break;
    }
    canvas.Text(Caption(), text, FontFor(state), format);
    if (OnPaintExtra) OnPaintExtra(*this, canvas);
    if (Focused()) {
        RECT focus = client;
        InflateRect(&focus, -canvas.Scale(2), -canvas.Scale(2));
        canvas.FocusFrame(focus);
    }
}

void TOrixButton::HandleMouseEnter() {
    Invalidate();
    TOrixControl::HandleMouseEnter();
}

void TOrixButton::HandleMouseLeave() {
    Invalidate();
    TOrixControl::HandleMouseLeave();
}

void TOrixButton::HandleMouseDown(int, int) { Invalidate(); }

void TOrixButton::HandleMouseUp(int, int) { Invalidate(); }

void TOrixButton::Click() {
    if (!Enabled()) return;
    HandleClick(0, 0);
}

bool TOrixButton::HandleKeyDown(UINT key) {
    if (key == VK_SPACE) {
        spaceDown_ = true;
        Invalidate();
        return true;
    }
    if (key == VK_RETURN) {
        Click();
        return true;
    }
    // Arrows move between the buttons of a row, as in a message box.
    if (key == VK_LEFT || key == VK_UP || key == VK_RIGHT || key == VK_DOWN) {
        HWND root = GetAncestor(Handle(), GA_ROOT);
        HWND next = GetNextDlgTabItem(root, Handle(), key == VK_LEFT || key == VK_UP);
        if (next && next != Handle()) ::SetFocus(next);
        return true;
    }
    return false;
}

bool TOrixButton::HandleKeyUp(UINT key) {
    if (key != VK_SPACE || !spaceDown_) return false;
    spaceDown_ = false;
    Invalidate();
    Click();
    return true;
}

UINT TOrixButton::DialogCode(const MSG* message) {
    // Enter clicks the focused button instead of a default one.
    if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
    return DLGC_BUTTON | DLGC_WANTARROWS;
}

LRESULT TOrixButton::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == BM_CLICK) {
        Click();
        return 0;
    }
    if (msg == WM_KILLFOCUS) spaceDown_ = false;
    return TOrixControl::WndProc(msg, wp, lp);
}
