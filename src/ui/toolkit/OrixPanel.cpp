#include "ui/toolkit/OrixPanel.h"

namespace {

constexpr wchar_t kClassName[] = L"TOrixPanel";

}  // namespace

TOrixPanel::TOrixPanel() : TOrixControl(TOrixKind::Panel) {}

bool TOrixPanel::Create(const CreateArgs& args) {
    color_ = args.color;
    borderColor_ = args.borderColor;
    picture_ = args.picture;
    SetTransparent(args.transparent);
    return CreateOwnWindow(args, kClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT);
}

void TOrixPanel::SetColor(COLORREF color) {
    color_ = color;
    Invalidate();
}

void TOrixPanel::SetPicture(const TOrixStrip& picture) {
    picture_ = picture;
    Invalidate();
}

void TOrixPanel::HandlePaint(TOrixCanvas& canvas) {
    const RECT client = ClientRect();
    if (!picture_.Empty())
        canvas.Picture(picture_, 0, client);
    else if (!Transparent())
        canvas.Fill(client, color_);
    if (borderColor_) canvas.Frame(client, *borderColor_);
    if (OnPaint) OnPaint(*this, canvas);
}
