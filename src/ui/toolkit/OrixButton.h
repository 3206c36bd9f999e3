#pragma once
// A button drawn from a picture strip: normal, hover, pressed and, when the
// strip has them, disabled and selected slices. A selected button (a tab)
// stays in its selected look. Each state has its own font and colour; the
// caption may be aligned and moved right by a left offset. The button is
// transparent over its parent where its picture is.
#include "ui/toolkit/OrixControl.h"

enum class TOrixButtonState { Normal = 0, Hover = 1, Pressed = 2, Disabled = 3, Selected = 4 };

class TOrixButton : public TOrixControl {
public:
    struct CreateArgs : TOrixControl::CreateArgs {
        TOrixStrip picture;
        TOrixTextAlign captionAlign = TOrixTextAlign::Center;
        int captionLeft = 0;  // design pixels from the left edge when aligned left
        bool tabStop = true;
    };

    TOrixButton();
    bool Create(const CreateArgs& args);

    TOrixFont FontNormal;
    TOrixFont FontOver;
    TOrixFont FontDown;
    TOrixFont FontDisable;
    TOrixFont FontFocus;
    TOrixFont FontSelect;

    void SetPicture(const TOrixStrip& picture);
    const TOrixStrip& Picture() const { return picture_; }
    void SetCaptionAlign(TOrixTextAlign align, int designLeft = 0);
    // The caption's top edge in design pixels, for a button that draws a
    // second line below it; negative (the default) centres it vertically.
    void SetCaptionTop(int designTop);
    bool Selected() const { return selected_; }
    void SetSelected(bool selected);
    // The state the button shows now.
    TOrixButtonState State() const;
    // Pins the look to one state whatever the mouse does (previews).
    void PinState(TOrixButtonState state);
    // Acts as a click by the user.
    void Click();

    // Extra painting after the face and caption (icons, marks).
    std::function<void(TOrixButton&, TOrixCanvas&)> OnPaintExtra;

protected:
    void HandlePaint(TOrixCanvas& canvas) override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleMouseDown(int x, int y) override;
    void HandleMouseUp(int x, int y) override;
    bool HandleKeyDown(UINT key) override;
    bool HandleKeyUp(UINT key) override;
    UINT DialogCode(const MSG* message) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    const TOrixFont& FontFor(TOrixButtonState state) const;

    TOrixStrip picture_;
    TOrixTextAlign captionAlign_ = TOrixTextAlign::Center;
    int captionLeft_ = 0;
    int captionTop_ = -1;
    bool selected_ = false;
    bool spaceDown_ = false;
    bool pinned_ = false;
    TOrixButtonState pinnedState_ = TOrixButtonState::Normal;
};
