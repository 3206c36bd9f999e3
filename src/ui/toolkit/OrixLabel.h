#pragma once
// A text on its parent's background. Each state has a font (normal, under
// the mouse, pressed, disabled), so a link is a label whose hover font has
// another colour and an underline. A label with a click handler shows the
// hand cursor and can be reached with Tab and pressed with Enter or Space.
#include "ui/toolkit/OrixControl.h"

class TOrixLabel : public TOrixControl {
public:
    struct CreateArgs : TOrixControl::CreateArgs {
        TOrixTextAlign align = TOrixTextAlign::Left;
        bool wordWrap = false;
        bool link = false;  // hand cursor, Tab stop, Enter and Space click
    };

    TOrixLabel();
    bool Create(const CreateArgs& args);

    TOrixFont Font;
    TOrixFont FontOver;
    TOrixFont FontDown;
    TOrixFont FontDisable;

    void SetAlign(TOrixTextAlign align);
    void SetWordWrap(bool wordWrap);
    bool IsLink() const { return link_; }
    // The font the label draws with now.
    const TOrixFont& CurrentFont() const;

protected:
    void HandlePaint(TOrixCanvas& canvas) override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;
    void HandleMouseDown(int x, int y) override;
    void HandleMouseUp(int x, int y) override;
    bool HandleKeyDown(UINT key) override;
    UINT DialogCode(const MSG* message) override;

private:
    TOrixTextAlign align_ = TOrixTextAlign::Left;
    bool wordWrap_ = false;
    bool link_ = false;
};
