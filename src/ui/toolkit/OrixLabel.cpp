#include "ui/toolkit/OrixLabel.h"

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"TOrixLabel";

}  // namespace

TOrixLabel::TOrixLabel() : TOrixControl(TOrixKind::Label) {}

bool TOrixLabel::Create(const CreateArgs& args) {
    align_ = args.align;
    wordWrap_ = args.wordWrap;
    link_ = args.link;
    SetTransparent(true);
    if (link_) SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return CreateOwnWindow(args, kClassName, link_ ? WS_TABSTOP : 0);
}

void TOrixLabel::SetAlign(TOrixTextAlign align) {
    align_ = align;
    Invalidate();
}

void TOrixLabel::SetWordWrap(bool wordWrap) {
    wordWrap_ = wordWrap;
    Invalidate();
}

const TOrixFont& TOrixLabel::CurrentFont() const {
    if (!Enabled()) return FontDisable;
    if (Pressed() && Hovered()) return FontDown;
    if (Hovered() && (link_ || OnClick)) return FontOver;
    return Font;
}

void TOrixLabel::HandlePaint(TOrixCanvas& canvas) {
    RECT client = ClientRect();
    UINT format = DT_NOPREFIX | (wordWrap_ ? DT_WORDBREAK : DT_SINGLELINE | DT_END_ELLIPSIS);
    if (align_ == TOrixTextAlign::Right) format |= DT_RIGHT;
    if (align_ == TOrixTextAlign::Center) format |= DT_CENTER;
    canvas.Text(Caption(), client, CurrentFont(), format);
    if (Focused()) {
        // Around the text, not the whole box.
        const SIZE size = canvas.MeasureText(Caption(), CurrentFont(), client.right, format & ~DT_END_ELLIPSIS);
        RECT focus = client;
        if (align_ == TOrixTextAlign::Right) focus.left = focus.right - size.cx;
        else if (align_ == TOrixTextAlign::Center) focus.left = (client.right - size.cx) / 2;
        focus.right = std::min(static_cast<int>(client.right), static_cast<int>(focus.left + size.cx + 1));
        focus.bottom = std::min(static_cast<int>(client.bottom), static_cast<int>(size.cy + 1));
        canvas.FocusFrame(focus);
    }
}

void TOrixLabel::HandleMouseEnter() {
    Invalidate();
    TOrixControl::HandleMouseEnter();
}

void TOrixLabel::HandleMouseLeave() {
    Invalidate();
    TOrixControl::HandleMouseLeave();
}

void TOrixLabel::HandleMouseDown(int, int) { Invalidate(); }

void TOrixLabel::HandleMouseUp(int, int) { Invalidate(); }

bool TOrixLabel::HandleKeyDown(UINT key) {
    if (!link_ || (key != VK_RETURN && key != VK_SPACE)) return false;
    HandleClick(0, 0);
    return true;
}

UINT TOrixLabel::DialogCode(const MSG* message) {
    if (link_ && message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) return DLGC_WANTMESSAGE;
    return link_ ? DLGC_WANTCHARS : DLGC_STATIC;
}
