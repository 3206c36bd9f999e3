#pragma once
// A picture and the number of equal states it holds side by side (normal,
// hover, pressed, ...). Controls take their pictures as strips; an empty
// strip draws nothing.
#include <memory>

#include "ui/toolkit/OrixBitmap.h"

struct TOrixStrip {
    std::shared_ptr<const TOrixBitmap> picture;
    int slices = 1;

    bool Empty() const { return !picture || slices < 1; }
    // The slice for a state; states past the last slice show the first.
    int SliceFor(int state) const { return state >= 0 && state < slices ? state : 0; }
    int DesignWidth() const { return Empty() ? 0 : picture->DesignWidth() / slices; }
    int DesignHeight() const { return Empty() ? 0 : picture->DesignHeight(); }
    void Draw(HDC dc, const RECT& dest, int state, BYTE opacity = 255) const {
        if (!Empty()) picture->Draw(dc, dest, SliceFor(state), slices, opacity);
    }
    void DrawAt(HDC dc, int x, int y, UINT dpi, int state) const {
        if (!Empty()) picture->DrawAt(dc, x, y, dpi, SliceFor(state), slices);
    }
};
