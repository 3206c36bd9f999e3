#include "ui/toolkit/OrixScrollBar.h"

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"TOrixScrollBar";
constexpr UINT_PTR kRepeatTimer = 1;
constexpr UINT kFirstRepeatMs = 400;
constexpr UINT kRepeatMs = 60;
constexpr int kMinThumb = 20;

}  // namespace

TOrixScrollBar::TOrixScrollBar() : TOrixControl(TOrixKind::ScrollBar) {}

bool TOrixScrollBar::Create(const CreateArgs& args) { return CreateOwnWindow(args, kClassName, 0); }

void TOrixScrollBar::SetSkin(const TOrixScrollBarSkin& skin) {
    skin_ = skin;
    Invalidate();
}

void TOrixScrollBar::SetRange(int total, int page) {
    total_ = std::max(0, total);
    page_ = std::max(0, page);
    SetPosition(position_, false);
    Invalidate();
}

void TOrixScrollBar::SetPosition(int position, bool notify) {
    position = std::clamp(position, 0, MaxPosition());
    if (position == position_) return;
    position_ = position;
    Invalidate();
    if (notify && OnScroll) OnScroll(*this, position_);
}

int TOrixScrollBar::ButtonLength(const TOrixStrip& strip) const {
    return strip.Empty() ? 0 : Scale(strip.DesignHeight());
}

RECT TOrixScrollBar::ThumbRect() const {
    const RECT client = ClientRect();
    const int top = ButtonLength(skin_.upButton);
    const int bottom = client.bottom - ButtonLength(skin_.downButton);
    const int track = std::max(0, bottom - top);
    if (total_ <= page_ || total_ <= 0) return {};
    const int length = std::min(track, std::max(Scale(kMinThumb), MulDiv(track, page_, total_)));
    const int travel = track - length;
    const int offset = MaxPosition() ? MulDiv(travel, position_, MaxPosition()) : 0;
    return {0, top + offset, client.right, top + offset + length};
}

TOrixScrollBar::Part TOrixScrollBar::PartAt(int y) const {
    const RECT client = ClientRect();
    if (y < ButtonLength(skin_.upButton)) return Part::Up;
    if (y >= client.bottom - ButtonLength(skin_.downButton)) return Part::Down;
    const RECT thumb = ThumbRect();
    if (thumb.bottom <= thumb.top) return Part::None;
    if (y < thumb.top) return Part::PageUp;
    if (y >= thumb.bottom) return Part::PageDown;
    return Part::Thumb;
}

void TOrixScrollBar::HandlePaint(TOrixCanvas& canvas) {
    const RECT client = ClientRect();
    if (skin_.track.Empty())
        canvas.Fill(client, skin_.trackColor);
    else
        canvas.Picture(skin_.track, 0, client);
    const int up = ButtonLength(skin_.upButton);
    const int down = ButtonLength(skin_.downButton);
    auto stateOf = [this](Part part) { return pressed_ == part ? 2 : hot_ == part ? 1 : 0; };
    if (up) canvas.Picture(skin_.upButton, stateOf(Part::Up), {0, 0, client.right, up});
    if (down) canvas.Picture(skin_.downButton, stateOf(Part::Down), {0, client.bottom - down, client.right, client.bottom});
    const RECT thumb = ThumbRect();
    if (thumb.bottom <= thumb.top) return;
    const int state = stateOf(Part::Thumb);
    if (skin_.thumb.Empty()) {
        RECT inner = thumb;
        InflateRect(&inner, -canvas.Scale(2), 0);
        canvas.Fill(inner, state == 2 ? skin_.thumbDownColor : state == 1 ? skin_.thumbHotColor : skin_.thumbColor);
    } else {
        skin_.thumb.picture->DrawNineGrid(canvas.Dc(), thumb, skin_.thumbMargin, canvas.Dpi(),
                                          skin_.thumb.SliceFor(state), skin_.thumb.slices);
    }
}

void TOrixScrollBar::HandleMouseMove(int x, int y) {
    if (pressed_ == Part::Thumb) {
        const RECT client = ClientRect();
        const RECT thumb = ThumbRect();
        const int top = ButtonLength(skin_.upButton);
        const int travel = client.bottom - ButtonLength(skin_.downButton) - top - (thumb.bottom - thumb.top);
        if (travel > 0) SetPosition(MulDiv(y - dragOffset_ - top, MaxPosition(), travel));
        return;
    }
    const Part hot = PartAt(y);
    if (hot != hot_) {
        hot_ = hot;
        Invalidate();
    }
}

void TOrixScrollBar::HandleMouseLeave() {
    hot_ = Part::None;
    Invalidate();
}

void TOrixScrollBar::Step(Part part) {
    switch (part) {
    case Part::Up:
        SetPosition(position_ - lineStep_);
        break;
    case Part::Down:
        SetPosition(position_ + lineStep_);
        break;
    case Part::PageUp:
        SetPosition(position_ - std::max(1, page_));
        break;
    case Part::PageDown:
        SetPosition(position_ + std::max(1, page_));
        break;
    default:
        break;
    }
}

void TOrixScrollBar::HandleMouseDown(int x, int y) {
    pressed_ = PartAt(y);
    if (pressed_ == Part::Thumb) {
        dragOffset_ = y - ThumbRect().top;
    } else if (pressed_ != Part::None) {
        Step(pressed_);
        SetTimer(Handle(), kRepeatTimer, kFirstRepeatMs, nullptr);
    }
    Invalidate();
}

void TOrixScrollBar::HandleMouseUp(int, int) {
    KillTimer(Handle(), kRepeatTimer);
    pressed_ = Part::None;
    Invalidate();
}

void TOrixScrollBar::HandleCaptureLost() { HandleMouseUp(0, 0); }

void TOrixScrollBar::HandleTimer(UINT_PTR id) {
    if (id != kRepeatTimer) return;
    SetTimer(Handle(), kRepeatTimer, kRepeatMs, nullptr);
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(Handle(), &cursor);
    // Paging stops when the thumb has reached the pointer.
    if (PartAt(cursor.y) == pressed_) Step(pressed_);
}

bool TOrixScrollBar::HandleWheel(int delta) {
    // The owner scrolls (the list moves by its own wheel step).
    if (HWND parent = GetParent(Handle())) {
        SendMessageW(parent, WM_MOUSEWHEEL, MAKEWPARAM(0, delta), 0);
        return true;
    }
    return false;
}
