#pragma once
// A notification: a borderless coloured strip with an icon and a few lines
// of white text that slides in below a screen point without taking the
// focus, stays while the mouse rests on it, and otherwise fades out and
// goes away. It has no task-bar button and stays on top. The window paints
// the style's background picture itself; the icon (img2) and the text
// (lbl1) are drawn over it.
#include <functional>
#include <string>

#include "ui/toolkit/OrixForm.h"

enum class TToastStyle { Information, Error };

// How long the phases last. The fade sets the window's alpha 16 times, from
// 255 down to 0 in steps of 17, one step per fade step.
struct TToastTiming {
    UINT slideMs = 100;
    UINT holdCheckMs = 1000;  // the mouse is looked for this often
    UINT fadeStepMs = 50;
};

// The timing of notifications shown from now on (tests and the gallery change it).
void SetToastTiming(const TToastTiming& timing);
const TToastTiming& ToastTiming();

class TfrmMessage : public TOrixForm {
public:
    TfrmMessage();
    ~TfrmMessage() override;

    // Makes the window in the style with the text, lays it out at the
    // point and shows it. False when the window could not be made.
    bool Popup(POINT at, const std::wstring& text, TToastStyle style);

    // Sizes the window and places icon and text for the text wrapped at
    // maxTextWidth design pixels, shown at the screen point; the answer is
    // the window's screen rectangle.
    virtual RECT LayoutToast(POINT at, int maxTextWidth, const std::wstring& text);

    // The window has faded out and is gone.
    bool Finished() const { return finished_; }
    // Runs when the window is gone (from inside its last message).
    std::function<void(TfrmMessage&)> OnFinished;

protected:
    void HandleTimer(UINT_PTR id) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    bool MouseInside() const;
    void StartFade();
    void SetAlpha(BYTE alpha);

    int fadeLevel_ = 0;
    bool finished_ = false;
};
