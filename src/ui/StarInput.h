#pragma once
// The star input of the "My Review" tab: five stars side by side. While the
// mouse is over it, it previews the stars a click would choose; a click
// chooses them. With the keyboard focus the keys choose: Right and Up one
// star more, Left and Down one less, Home one, End five, 1 to 5 directly.
#include <functional>
#include <optional>

#include "ui/toolkit/OrixControl.h"

class TStarInput : public TOrixControl {
public:
    struct CreateArgs : TOrixControl::CreateArgs {
        TOrixStrip fullStar;
        TOrixStrip emptyStar;
    };

    TStarInput();
    bool Create(const CreateArgs& args);

    // 0 (none chosen) to 5.
    int Score() const { return score_; }
    void SetScore(int score);
    // The mouse's x in design pixels while it is over the box.
    std::optional<int> HoverX() const { return hoverX_; }

    // After the user chose a score.
    std::function<void(TStarInput&)> OnChange;

protected:
    void HandlePaint(TOrixCanvas& canvas) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseLeave() override;
    void HandleMouseDown(int x, int y) override;
    void HandleClick(int x, int y) override;
    bool HandleKeyDown(UINT key) override;
    UINT DialogCode(const MSG* message) override;

private:
    void Choose(int score);

    TOrixStrip full_;
    TOrixStrip empty_;
    int score_ = 0;
    std::optional<int> hoverX_;
};
