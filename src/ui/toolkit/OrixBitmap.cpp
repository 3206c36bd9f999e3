#include "ui/toolkit/OrixBitmap.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "gfx/PngPicture.h"
#include "platform/GdiplusInclude.h"

namespace {

// Resampled copies kept per picture; a picture is seldom drawn at more
// than a few sizes.
constexpr size_t kResampledKept = 4;
// Pictures this small (bars, blocks, frame boxes) are stretched as they are.
constexpr int kSmallPicture = 12;

UniqueBitmap MakeDib(int width, int height, uint32_t** bits) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;  // top-down rows
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* pixels = nullptr;
    UniqueBitmap bitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &pixels, nullptr, 0));
    *bits = bitmap ? static_cast<uint32_t*>(pixels) : nullptr;
    return bitmap;
}

uint32_t Premultiply(uint32_t argb) {
    const uint32_t a = argb >> 24;
    if (a == 255) return argb;
    const uint32_t r = ((argb >> 16) & 0xFF) * a / 255;
    const uint32_t g = ((argb >> 8) & 0xFF) * a / 255;
    const uint32_t b = (argb & 0xFF) * a / 255;
    return (a << 24) | (r << 16) | (g << 8) | b;
}

}  // namespace

TOrixBitmap::TOrixBitmap(int width, int height, int pixelScale)
    : width_(width), height_(height), pixelScale_(pixelScale < 1 ? 1 : pixelScale) {}

bool TOrixBitmap::Allocate() {
    if (width_ <= 0 || height_ <= 0) return false;
    bitmap_ = MakeDib(width_, height_, &bits_);
    return bits_ != nullptr;
}

void TOrixBitmap::FinishPixels() {
    GdiFlush();
    const size_t count = static_cast<size_t>(width_) * height_;
    hasAlpha_ = std::any_of(bits_, bits_ + count, [](uint32_t p) { return (p >> 24) != 255; });
}

std::shared_ptr<TOrixBitmap> TOrixBitmap::FromPng(std::string_view bytes, int pixelScale) {
    const AddonPicture png = DecodePngBytes(bytes);
    if (!png) return {};
    Gdiplus::Bitmap& decoded = *png;
    const int width = static_cast<int>(decoded.GetWidth());
    const int height = static_cast<int>(decoded.GetHeight());
    std::shared_ptr<TOrixBitmap> picture(new TOrixBitmap(width, height, pixelScale));
    if (!picture->Allocate()) return {};
    Gdiplus::BitmapData target = {};
    target.Width = width;
    target.Height = height;
    target.Stride = width * 4;
    target.PixelFormat = PixelFormat32bppPARGB;
    target.Scan0 = picture->bits_;
    Gdiplus::Rect all(0, 0, width, height);
    if (decoded.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                         PixelFormat32bppPARGB, &target) != Gdiplus::Ok)
        return {};
    decoded.UnlockBits(&target);
    picture->FinishPixels();
    return picture;
}

std::shared_ptr<TOrixBitmap> TOrixBitmap::FromHBitmap(HBITMAP bitmap, int pixelScale) {
    BITMAP header = {};
    if (!bitmap || GetObjectW(bitmap, sizeof(header), &header) == 0) return {};
    std::shared_ptr<TOrixBitmap> picture(new TOrixBitmap(header.bmWidth, std::abs(header.bmHeight), pixelScale));
    if (!picture->Allocate()) return {};
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = picture->width_;
    info.bmiHeader.biHeight = -picture->height_;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const UniqueWindowDc screen(GetDC(nullptr), {nullptr});
    if (GetDIBits(screen.get(), bitmap, 0, picture->height_, picture->bits_, &info, DIB_RGB_COLORS) == 0)
        return {};
    const size_t count = static_cast<size_t>(picture->width_) * picture->height_;
    uint32_t* bits = picture->bits_;
    const bool anyAlpha = std::any_of(bits, bits + count, [](uint32_t p) { return (p >> 24) != 0; });
    for (size_t i = 0; i < count; ++i) {
        if (!anyAlpha) {
            bits[i] |= 0xFF000000u;
            continue;
        }
        // Taken as premultiplied; colour never above its alpha.
        const uint32_t a = bits[i] >> 24;
        const uint32_t r = std::min((bits[i] >> 16) & 0xFF, a);
        const uint32_t g = std::min((bits[i] >> 8) & 0xFF, a);
        const uint32_t b = std::min(bits[i] & 0xFF, a);
        bits[i] = (a << 24) | (r << 16) | (g << 8) | b;
    }
    picture->FinishPixels();
    return picture;
}

std::shared_ptr<TOrixBitmap> TOrixBitmap::FromPixels(int width, int height, const std::vector<uint32_t>& argb,
                                                     int pixelScale) {
    if (width <= 0 || height <= 0 || argb.size() < static_cast<size_t>(width) * height) return {};
    std::shared_ptr<TOrixBitmap> picture(new TOrixBitmap(width, height, pixelScale));
    if (!picture->Allocate()) return {};
    std::transform(argb.begin(), argb.begin() + static_cast<size_t>(width) * height, picture->bits_, Premultiply);
    picture->FinishPixels();
    return picture;
}

uint32_t TOrixBitmap::PixelAt(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return 0;
    return bits_[static_cast<size_t>(y) * width_ + x];
}

void TOrixBitmap::Blend(HDC dc, HBITMAP source, bool alpha, int sx, int sy, int sw, int sh, const RECT& dest,
                        BYTE opacity) const {
    const int dw = dest.right - dest.left;
    const int dh = dest.bottom - dest.top;
    if (dw <= 0 || dh <= 0 || sw <= 0 || sh <= 0) return;
    // One memory DC per thread serves every draw; the picture is selected
    // into it only for this call.
    static thread_local const UniqueDc memory(CreateCompatibleDC(nullptr));
    if (!memory) return;
    const SelectedObject selected(memory.get(), source);
    if (alpha || opacity != 255) {
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, opacity, static_cast<BYTE>(alpha ? AC_SRC_ALPHA : 0)};
        AlphaBlend(dc, dest.left, dest.top, dw, dh, memory.get(), sx, sy, sw, sh, blend);
    } else if (dw == sw && dh == sh) {
        BitBlt(dc, dest.left, dest.top, dw, dh, memory.get(), sx, sy, SRCCOPY);
    } else {
        const int oldMode = SetStretchBltMode(dc, COLORONCOLOR);
        StretchBlt(dc, dest.left, dest.top, dw, dh, memory.get(), sx, sy, sw, sh, SRCCOPY);
        SetStretchBltMode(dc, oldMode);
    }
}

const TOrixBitmap::Resampled* TOrixBitmap::ResampledFor(int sliceWidth, int sliceHeight, int slices) const {
    for (const Resampled& r : resampled_) {
        if (r.sliceWidth == sliceWidth && r.sliceHeight == sliceHeight && r.slices == slices) return &r;
    }
    if (!EnsureGdiplus()) return nullptr;
    Resampled made{sliceWidth, sliceHeight, slices, {}, nullptr};
    made.bitmap = MakeDib(sliceWidth * slices, sliceHeight, &made.bits);
    if (!made.bits) return nullptr;
    {
        Gdiplus::Bitmap source(width_, height_, width_ * 4, PixelFormat32bppPARGB, reinterpret_cast<BYTE*>(bits_));
        Gdiplus::Bitmap target(sliceWidth * slices, sliceHeight, sliceWidth * slices * 4, PixelFormat32bppPARGB,
                               reinterpret_cast<BYTE*>(made.bits));
        Gdiplus::Graphics graphics(&target);
        graphics.SetCompositingMode(Gdiplus::CompositingModeSourceCopy);
        graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
        graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHighQuality);
        // Mirrored edges keep each state's border from blending with the next.
        Gdiplus::ImageAttributes attributes;
        attributes.SetWrapMode(Gdiplus::WrapModeTileFlipXY);
        const int sourceSlice = width_ / slices;
        for (int i = 0; i < slices; ++i) {
            Gdiplus::Rect to(i * sliceWidth, 0, sliceWidth, sliceHeight);
            graphics.DrawImage(&source, to, i * sourceSlice, 0, sourceSlice, height_, Gdiplus::UnitPixel,
                               &attributes);
        }
    }
    GdiFlush();
    if (resampled_.size() >= kResampledKept) resampled_.erase(resampled_.begin());
    resampled_.push_back(std::move(made));
    return &resampled_.back();
}

void TOrixBitmap::Draw(HDC dc, const RECT& dest, int slice, int slices, BYTE opacity) const {
    if (!bits_ || slices < 1 || slice < 0 || slice >= slices) return;
    const int sliceWidth = width_ / slices;
    const int dw = dest.right - dest.left;
    const int dh = dest.bottom - dest.top;
    if (dw <= 0 || dh <= 0 || sliceWidth <= 0) return;
    const bool sameSize = dw == sliceWidth && dh == height_;
    const bool small = sliceWidth <= kSmallPicture || height_ <= kSmallPicture;
    if (!sameSize && !small) {
        if (const Resampled* r = ResampledFor(dw, dh, slices)) {
            Blend(dc, r->bitmap.get(), hasAlpha_, slice * dw, 0, dw, dh, dest, opacity);
            return;
        }
    }
    Blend(dc, bitmap_.get(), hasAlpha_, slice * sliceWidth, 0, sliceWidth, height_, dest, opacity);
}

void TOrixBitmap::DrawAt(HDC dc, int x, int y, UINT dpi, int slice, int slices) const {
    if (slices < 1) return;
    const int w = MulDiv(width_ / slices, static_cast<int>(dpi), 96 * pixelScale_);
    const int h = MulDiv(height_, static_cast<int>(dpi), 96 * pixelScale_);
    const RECT dest = {x, y, x + w, y + h};
    Draw(dc, dest, slice, slices);
}

void TOrixBitmap::DrawNineGrid(HDC dc, const RECT& dest, int margin, UINT dpi, int slice, int slices) const {
    if (!bits_ || slices < 1 || slice < 0 || slice >= slices) return;
    const int sliceWidth = width_ / slices;
    const int m = std::min({margin * pixelScale_, sliceWidth / 2, height_ / 2});
    const int dm = std::min({MulDiv(margin, static_cast<int>(dpi), 96), static_cast<int>(dest.right - dest.left) / 2,
                             static_cast<int>(dest.bottom - dest.top) / 2});
    if (m <= 0 || dm <= 0) {
        Blend(dc, bitmap_.get(), hasAlpha_, slice * sliceWidth, 0, sliceWidth, height_, dest, 255);
        return;
    }
    const int sx[4] = {slice * sliceWidth, slice * sliceWidth + m, slice * sliceWidth + sliceWidth - m,
                       slice * sliceWidth + sliceWidth};
    const int sy[4] = {0, m, height_ - m, height_};
    const int dx[4] = {dest.left, dest.left + dm, dest.right - dm, dest.right};
    const int dy[4] = {dest.top, dest.top + dm, dest.bottom - dm, dest.bottom};
    for (int row = 0; row < 3; ++row) {
        for (int col = 0; col < 3; ++col) {
            const RECT part = {dx[col], dy[row], dx[col + 1], dy[row + 1]};
            Blend(dc, bitmap_.get(), hasAlpha_, sx[col], sy[row], sx[col + 1] - sx[col], sy[row + 1] - sy[row], part,
                  255);
        }
    }
}
