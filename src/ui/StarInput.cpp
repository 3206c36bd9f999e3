#include "ui/StarInput.h"

#include <algorithm>

#include "ui/ReviewLayout.h"

namespace {

constexpr wchar_t kClassName[] = L"TStarInput";

}  // namespace

TStarInput::TStarInput() : TOrixControl(TOrixKind::Image) {}

bool TStarInput::Create(const CreateArgs& args) {
    full_ = args.fullStar;
    empty_ = args.emptyStar;
    SetTransparent(true);
    SetCursor(LoadCursorW(nullptr, IDC_HAND));
    return CreateOwnWindow(args, kClassName, WS_TABSTOP);
}

void TStarInput::SetScore(int score) {
    score = std::clamp(score, 0, kStarInputStars);
    if (score == score_) return;
    score_ = score;
    Invalidate();
}

void TStarInput::Choose(int score) {
    const int before = score_;
    SetScore(score);
    if (score_ != before && OnChange) OnChange(*this);
}

void TStarInput::HandlePaint(TOrixCanvas& canvas) {
    const int lit = StarInputLitStars(hoverX_, score_);
    const int size = canvas.Scale(kStarInputStarWidth);
    for (int i = 0; i < kStarInputStars; ++i) {
        const int x = canvas.Scale(kStarInputStarWidth * i);
        canvas.Picture(i < lit ? full_ : empty_, 0, {x, 0, x + size, size});
    }
    if (Focused()) {
        RECT focus = ClientRect();
        canvas.FocusFrame(focus);
    }
}

void TStarInput::HandleMouseMove(int x, int y) {
    const int designX = UnscaleForDpi(std::max(0, x), Dpi());
    if (hoverX_ != designX) {
        hoverX_ = designX;
        Invalidate();
    }
    TOrixControl::HandleMouseMove(x, y);
}

void TStarInput::HandleMouseLeave() {
    hoverX_.reset();
    Invalidate();
    TOrixControl::HandleMouseLeave();
}

void TStarInput::HandleMouseDown(int, int) { SetFocus(); }

void TStarInput::HandleClick(int x, int y) {
    Choose(StarInputScore(UnscaleForDpi(std::max(0, x), Dpi())));
    TOrixControl::HandleClick(x, y);
}

bool TStarInput::HandleKeyDown(UINT key) {
    switch (key) {
    case VK_RIGHT:
    case VK_UP: Choose(std::max(1, score_ + 1)); return true;
    case VK_LEFT:
    case VK_DOWN: Choose(std::max(1, score_ - 1)); return true;
    case VK_HOME: Choose(1); return true;
    case VK_END: Choose(kStarInputStars); return true;
    default: break;
    }
    if (key >= '1' && key <= '0' + kStarInputStars) {
        Choose(static_cast<int>(key - '0'));
        return true;
    }
    if (key >= VK_NUMPAD1 && key < VK_NUMPAD1 + kStarInputStars) {
        Choose(static_cast<int>(key - VK_NUMPAD1) + 1);
        return true;
    }
    return false;
}

UINT TStarInput::DialogCode(const MSG*) { return DLGC_WANTARROWS; }
