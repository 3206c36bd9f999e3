#include "gfx/AddonIcons.h"

#include <windows.h>
#include <objidl.h>
#include <shellapi.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"

#include <cstring>
#include <string>

#include "gfx/PngPicture.h"
#include "platform/FileUtil.h"
#include "platform/UniqueHandles.h"

namespace {

constexpr int kPictureSize = 48;
// Far beyond any icon; such a file is not read into memory.
constexpr LONGLONG kMaxPngFileSize = 64LL << 20;
struct Canvas {
    UniqueGdiObject bitmap;
    DWORD* pixels = nullptr;  // top-down, kPictureSize rows of kPictureSize
};

Canvas MakeCanvas(HDC dc, DWORD fill) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = kPictureSize;
    info.bmiHeader.biHeight = -kPictureSize;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    Canvas canvas;
    void* bits = nullptr;
    canvas.bitmap.reset(CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    if (!canvas.bitmap) return canvas;
    canvas.pixels = static_cast<DWORD*>(bits);
    std::fill_n(canvas.pixels, kPictureSize * kPictureSize, fill);
    return canvas;
}

bool Draw(HDC dc, const Canvas& canvas, HICON icon, UINT how) {
    const HGDIOBJ old = SelectObject(dc, canvas.bitmap.get());
    const bool drawn = DrawIconEx(dc, 0, 0, icon, 0, 0, 0, nullptr, how);
    SelectObject(dc, old);
    GdiFlush();
    return drawn;
}

// Icons without an alpha channel leave every alpha byte 0; their mask then
// says which pixels are opaque.
void ApplyMaskWhenNoAlpha(HDC dc, const Canvas& color, HICON icon) {
    const int count = kPictureSize * kPictureSize;
    if (std::any_of(color.pixels, color.pixels + count, [](DWORD p) { return (p >> 24) != 0; })) return;
    const Canvas mask = MakeCanvas(dc, 0x00FFFFFF);
    if (!mask.pixels || !Draw(dc, mask, icon, DI_MASK)) return;
    for (int i = 0; i < count; ++i)
        if ((mask.pixels[i] & 0x00FFFFFF) == 0) color.pixels[i] |= 0xFF000000;
}

AddonPicture PictureFromPixels(const DWORD* pixels) {
    // The drawn colours are premultiplied by their alpha.
    AddonPicture picture(new Gdiplus::Bitmap(kPictureSize, kPictureSize, PixelFormat32bppPARGB));
    if (picture->GetLastStatus() != Gdiplus::Ok) return {};
    Gdiplus::Rect all(0, 0, kPictureSize, kPictureSize);
    Gdiplus::BitmapData data{};
    if (picture->LockBits(&all, Gdiplus::ImageLockModeWrite, PixelFormat32bppPARGB, &data) != Gdiplus::Ok) return {};
    for (int row = 0; row < kPictureSize; ++row)
        std::memcpy(static_cast<BYTE*>(data.Scan0) + row * data.Stride, pixels + row * kPictureSize,
                    kPictureSize * sizeof(DWORD));
    picture->UnlockBits(&data);
    return picture;
}

}  // namespace

AddonPicture ExtractIconImage(const std::wstring& path, int index) {
    if (!EnsureGdiplus()) return {};
    HICON extracted = ExtractIconW(GetModuleHandleW(nullptr), path.c_str(), static_cast<UINT>(index));
    // 1 is the shell's answer for a file that is not a program, library or
    // icon file: there is no icon to draw.
    if (extracted == reinterpret_cast<HICON>(1)) return {};
    const UniqueIcon icon(extracted);
    if (!icon) return {};
    const UniqueDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return {};
    const Canvas canvas = MakeCanvas(dc.get(), 0);
    if (!canvas.pixels || !Draw(dc.get(), canvas, icon.get(), DI_NORMAL)) return {};
    ApplyMaskWhenNoAlpha(dc.get(), canvas, icon.get());
    return PictureFromPixels(canvas.pixels);
}

AddonPicture LoadPngFile(const std::wstring& path) {
    const std::optional<std::string> bytes = TryReadFileBytes(path, kMaxPngFileSize);
    if (!bytes || bytes->empty()) return {};
    return DecodePngBytes(*bytes);
}
