#pragma once
// What the controls and their paint hooks draw on: a DC and the DPI it is
// drawn at, with the few drawing steps the skin needs. Hooks place things
// with Scale() so that design positions hold at every DPI.
#include <windows.h>

#include <string>

#include "ui/toolkit/OrixDpi.h"
#include "ui/toolkit/OrixFont.h"
#include "ui/toolkit/OrixStrip.h"

class TOrixCanvas {
public:
    TOrixCanvas(HDC dc, UINT dpi) : dc_(dc), dpi_(dpi ? dpi : kDesignDpi) {}

    HDC Dc() const { return dc_; }
    UINT Dpi() const { return dpi_; }
    int Scale(int designValue) const { return ScaleForDpi(designValue, dpi_); }

    void Fill(const RECT& rect, COLORREF color) const;
    // A one-pixel outline inside the rectangle.
    void Frame(const RECT& rect, COLORREF color) const;
    void Line(int x1, int y1, int x2, int y2, COLORREF color) const;
    // DrawText with the font (and its colour) on a transparent background.
    void Text(const std::wstring& text, RECT rect, const TOrixFont& font, UINT format) const;
    // The size DrawText would take; width limits wrapping when format has DT_WORDBREAK.
    SIZE MeasureText(const std::wstring& text, const TOrixFont& font, int width, UINT format) const;
    void Picture(const TOrixStrip& strip, int state, const RECT& dest) const { strip.Draw(dc_, dest, state); }
    void PictureAt(const TOrixStrip& strip, int state, int x, int y) const { strip.DrawAt(dc_, x, y, dpi_, state); }
    // Small marks drawn when no picture is given for them, centred in the
    // rectangle: a check mark, a round bullet, a triangle pointing right or down.
    void CheckMark(const RECT& rect, COLORREF color) const;
    void Bullet(const RECT& rect, COLORREF color) const;
    void Arrow(const RECT& rect, bool down, COLORREF color) const;
    // A dotted focus outline.
    void FocusFrame(const RECT& rect) const;

private:
    HDC dc_;
    UINT dpi_;
};
