#pragma once
// The wait window: a borderless window over the main window, clear except
// for an animated ring in its middle, shown while a slow request runs. Every
// 80 ms it draws the next of the animation's frames 0 to 13 as per-pixel
// alpha content; it animates while its user lets messages through, and a
// click closes it.
#include <functional>

#include "platform/UniqueHandles.h"
#include "ui/toolkit/OrixForm.h"

class TfrmWait : public TOrixForm {
public:
    TfrmWait();
    ~TfrmWait() override;

    // Makes the window over `over` (centred on the screen without one); the
    // animation timer runs from here. Shown with Show().
    bool CreateOver(HWND over);

    // Frames drawn so far; the next frame is FrameCounter() mod 14.
    int FrameCounter() const { return frameCounter_; }
    // After each frame is drawn, with the frame's number.
    std::function<void(TfrmWait&, int frame)> OnFrame;

    // The window's content for one frame: a clear 32-bit premultiplied
    // bitmap of width x height with the picture (190 x 220 design pixels)
    // in its middle.
    static UniqueBitmap PaintFrame(const TOrixStrip& picture, int width, int height, UINT dpi);

    static constexpr UINT kFrameMs = 80;
    static constexpr int kLoopFrames = 14;

protected:
    void HandleTimer(UINT_PTR id) override;
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;

private:
    void DrawNextFrame();
    void StopTimer();

    HWND over_ = nullptr;
    int frameCounter_ = 0;
};
