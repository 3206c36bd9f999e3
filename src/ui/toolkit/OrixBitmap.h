#pragma once
// A picture the controls draw: a 32-bit premultiplied-alpha DIB made from
// PNG bytes, from an HBITMAP or from pixels. A picture may hold several
// equal states side by side (a strip), and may be drawn for high DPI: its
// pixel scale tells how many pixels make one design pixel (2 for the 2x
// pictures), so that it is drawn at its design size times dpi / 96.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

#include "platform/UniqueHandles.h"

class TOrixBitmap {
public:
    // None when the bytes are not a picture GDI+ can read.
    static std::shared_ptr<TOrixBitmap> FromPng(std::string_view bytes, int pixelScale = 1);
    // A copy of a device-independent or compatible bitmap; a bitmap without
    // any alpha is taken as opaque.
    static std::shared_ptr<TOrixBitmap> FromHBitmap(HBITMAP bitmap, int pixelScale = 1);
    // Straight (not premultiplied) 0xAARRGGBB pixels, rows top-down.
    static std::shared_ptr<TOrixBitmap> FromPixels(int width, int height, const std::vector<uint32_t>& argb,
                                                   int pixelScale = 1);

    int Width() const { return width_; }
    int Height() const { return height_; }
    int PixelScale() const { return pixelScale_; }
    int DesignWidth() const { return width_ / pixelScale_; }
    int DesignHeight() const { return height_ / pixelScale_; }
    HBITMAP Handle() const { return bitmap_.get(); }
    // Premultiplied 0xAARRGGBB; 0 outside the picture.
    uint32_t PixelAt(int x, int y) const;

    // Slice `slice` of `slices` equal parts, stretched into dest.
    void Draw(HDC dc, const RECT& dest, int slice = 0, int slices = 1, BYTE opacity = 255) const;
    // At its design size for the DPI, top-left at (x, y).
    void DrawAt(HDC dc, int x, int y, UINT dpi, int slice = 0, int slices = 1) const;
    // Corners kept, edges and middle stretched; margin in design pixels.
    void DrawNineGrid(HDC dc, const RECT& dest, int margin, UINT dpi, int slice = 0, int slices = 1) const;

    TOrixBitmap(const TOrixBitmap&) = delete;
    TOrixBitmap& operator=(const TOrixBitmap&) = delete;

private:
    struct Resampled {
        int sliceWidth, sliceHeight, slices;
        UniqueBitmap bitmap;
        uint32_t* bits;
    };

    TOrixBitmap(int width, int height, int pixelScale);
    bool Allocate();
    void FinishPixels();
    void Blend(HDC dc, HBITMAP source, bool alpha, int sx, int sy, int sw, int sh, const RECT& dest,
               BYTE opacity) const;
    const Resampled* ResampledFor(int sliceWidth, int sliceHeight, int slices) const;

    int width_;
    int height_;
    int pixelScale_;
    bool hasAlpha_ = false;
    UniqueBitmap bitmap_;
    uint32_t* bits_ = nullptr;
    mutable std::vector<Resampled> resampled_;
};
