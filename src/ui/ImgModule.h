#pragma once
// The image module: the one process-wide holder of the skin pictures every
// window draws with. It gives the numbered picture store at the scale of the
// monitor the program starts on (each picture decoded once, on first use)
// and any other skin picture at the scale a window's DPI asks for, and owns the scroll-bar skin and the skinned message
// box that confirmations use. It belongs to the user-interface thread and
// lives until the process ends.
#include <windows.h>

#include <map>
#include <memory>
#include <utility>

#include "gfx/SkinResources.h"
#include "ui/toolkit/OrixFrame.h"
#include "ui/toolkit/OrixMessageBox.h"
#include "ui/toolkit/OrixScrollBar.h"
#include "ui/toolkit/OrixStrip.h"

class TimgModule {
public:
    // Pictures for the given DPI (the primary monitor's when 0).
    explicit TimgModule(UINT dpi = 0);
    TimgModule(const TimgModule&) = delete;
    TimgModule& operator=(const TimgModule&) = delete;

    // 1 or 2: how many pixels of the module's pictures make one design pixel.
    int PictureScale() const { return scale_; }
    // Picture n (0 to 33) of the numbered store, its states as slices; an
    // empty strip for any other number.
    TOrixStrip Store(int n) const;
    // Any skin picture at the module's scale; empty when the skin lacks it.
    TOrixStrip Picture(SkinPictureId id) const;
    // The same at the scale for a window on a monitor of this DPI.
    TOrixStrip PictureForDpi(SkinPictureId id, UINT dpi) const;

    // The skin of every vertical scroll bar.
    const TOrixScrollBarSkin& ScrollBarSkin() const { return scrollBarSkin_; }
    // Title-bar picture, its buttons and the logo, given to a form's frame.
    void SkinFrame(TOrixFrame& frame) const;

    // The skinned message box of the confirmations; one open at a time.
    TOrixMessageBox& MessageDialog() { return messageDialog_; }
    // Its button captions from the active language (Translation section,
    // msgdlg.btnYes, msgdlg.btnNO, msgdlg.btnOk); the present captions stay
    // where a text is missing.
    void TranslateMessageDialog();

private:
    std::shared_ptr<const TOrixBitmap> Load(SkinPictureId id, int scale) const;
    TOrixStrip StripAt(SkinPictureId id, int scale) const;

    int scale_;
    mutable std::map<std::pair<int, int>, std::shared_ptr<const TOrixBitmap>> loaded_;
    TOrixScrollBarSkin scrollBarSkin_;
    TOrixMessageBox messageDialog_;
};

// The program's image module, made on the first call (start-up makes it
// before the first window).
TimgModule& ImgModule();
