#pragma once
// A picture box: shows one state of a picture strip at its design size,
// centred or stretched, over its parent's background, and hands its canvas
// to a paint hook for whatever the owner draws (stars, bars). It reports
// the mouse entering, moving, leaving and clicking.
#include "ui/toolkit/OrixControl.h"

class TOrixImage : public TOrixControl {
public:
    struct CreateArgs : TOrixControl::CreateArgs {
        TOrixStrip picture;
        bool stretch = false;
        bool center = false;
        bool transparent = true;
        bool autoSize = false;  // takes the picture's design size
        HCURSOR cursor = nullptr;
    };

    TOrixImage();
    bool Create(const CreateArgs& args);

    void SetPicture(const TOrixStrip& picture, int state = 0);
    const TOrixStrip& Picture() const { return picture_; }
    void SetState(int state);
    void SetStretch(bool stretch);

    std::function<void(TOrixImage&, TOrixCanvas&)> OnPaint;

protected:
    void HandlePaint(TOrixCanvas& canvas) override;

private:
    void FitToPicture();

    TOrixStrip picture_;
    int state_ = 0;
    bool stretch_ = false;
    bool center_ = false;
    bool autoSize_ = false;
};
