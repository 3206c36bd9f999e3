#include "ui/toolkit/OrixImage.h"

namespace {

constexpr wchar_t kClassName[] = L"TOrixImage";

}  // namespace

TOrixImage::TOrixImage() : TOrixControl(TOrixKind::Image) {}

bool TOrixImage::Create(const CreateArgs& args) {
    picture_ = args.picture;
    stretch_ = args.stretch;
    center_ = args.center;
    autoSize_ = args.autoSize;
    SetTransparent(args.transparent);
    if (args.cursor) SetCursor(args.cursor);
    if (!CreateOwnWindow(args, kClassName, 0)) return false;
    FitToPicture();
    return true;
}

void TOrixImage::FitToPicture() {
    if (!autoSize_ || picture_.Empty()) return;
    TOrixBounds bounds = DesignBounds();
    bounds.width = picture_.DesignWidth();
    bounds.height = picture_.DesignHeight();
    SetDesignBounds(bounds);
}

void TOrixImage::SetPicture(const TOrixStrip& picture, int state) {
    picture_ = picture;
    state_ = state;
    FitToPicture();
    Invalidate();
}

void TOrixImage::SetState(int state) {
    if (state == state_) return;
    state_ = state;
    Invalidate();
}

void TOrixImage::SetStretch(bool stretch) {
    stretch_ = stretch;
    Invalidate();
}

void TOrixImage::HandlePaint(TOrixCanvas& canvas) {
    const RECT client = ClientRect();
    if (!Transparent()) canvas.Fill(client, GetSysColor(COLOR_WINDOW));
    if (stretch_) {
        canvas.Picture(picture_, state_, client);
    } else if (!picture_.Empty()) {
        const int w = canvas.Scale(picture_.DesignWidth());
        const int h = canvas.Scale(picture_.DesignHeight());
        const int x = center_ ? (client.right - w) / 2 : 0;
        const int y = center_ ? (client.bottom - h) / 2 : 0;
        canvas.Picture(picture_, state_, {x, y, x + w, y + h});
    }
    if (OnPaint) OnPaint(*this, canvas);
}
