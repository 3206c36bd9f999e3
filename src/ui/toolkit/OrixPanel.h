#pragma once
// A container for other controls: a colour or a stretched picture, an
// optional border, and Tab navigation into its children.
#include <optional>

#include "ui/toolkit/OrixControl.h"

class TOrixPanel : public TOrixControl {
public:
    struct CreateArgs : TOrixControl::CreateArgs {
        COLORREF color = RGB(0xFF, 0xFF, 0xFF);
        std::optional<COLORREF> borderColor;
        TOrixStrip picture;
        bool transparent = false;
    };

    TOrixPanel();
    bool Create(const CreateArgs& args);

    void SetColor(COLORREF color);
    void SetPicture(const TOrixStrip& picture);
    std::function<void(TOrixPanel&, TOrixCanvas&)> OnPaint;

protected:
    void HandlePaint(TOrixCanvas& canvas) override;

private:
    COLORREF color_ = RGB(0xFF, 0xFF, 0xFF);
    std::optional<COLORREF> borderColor_;
    TOrixStrip picture_;
};
