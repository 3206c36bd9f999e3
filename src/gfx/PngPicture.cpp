#include "gfx/PngPicture.h"

#include <windows.h>
#include <objidl.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"

#include <cstring>

namespace {

// Gdiplus::ImageFormatPNG and the PNG encoder, spelled out so no GUID
// library is needed.
constexpr GUID kPngFormat = {0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

struct StreamReleaser {
    void operator()(IStream* s) const { if (s) s->Release(); }
};
using UniqueStream = std::unique_ptr<IStream, StreamReleaser>;

UniqueStream StreamOver(std::string_view bytes) {
    HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
    if (!memory) return {};
    std::memcpy(GlobalLock(memory), bytes.data(), bytes.size());
    GlobalUnlock(memory);
    IStream* stream = nullptr;
    // The stream frees the memory when it is released.
    if (CreateStreamOnHGlobal(memory, TRUE, &stream) != S_OK) {
        GlobalFree(memory);
        return {};
    }
    return UniqueStream(stream);
}

}  // namespace

bool EnsureGdiplus() {
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

AddonPicture DecodePngBytes(std::string_view bytes) {
    if (bytes.empty() || !EnsureGdiplus()) return {};
    const UniqueStream stream = StreamOver(bytes);
    if (!stream) return {};
    // A picture made from a stream needs the stream for its whole life, so
    // the decoded image is copied into a picture of its own.
    Gdiplus::Bitmap decoded(stream.get());
    GUID format{};
    if (decoded.GetLastStatus() != Gdiplus::Ok || decoded.GetRawFormat(&format) != Gdiplus::Ok ||
        format != kPngFormat)
        return {};
    return ClonePicture(decoded);
}

bool SavePngFile(Gdiplus::Bitmap& picture, const std::wstring& path) {
    if (!EnsureGdiplus()) return false;
    return picture.Save(path.c_str(), &kPngEncoderClsid, nullptr) == Gdiplus::Ok;
}

AddonPicture ClonePicture(Gdiplus::Bitmap& picture) {
    if (!EnsureGdiplus()) return {};
    Gdiplus::Rect all(0, 0, static_cast<INT>(picture.GetWidth()), static_cast<INT>(picture.GetHeight()));
    AddonPicture copy(picture.Clone(all, PixelFormat32bppARGB));
    if (!copy || copy->GetLastStatus() != Gdiplus::Ok) return {};
    return copy;
}

bool IsEmptyPicture(const AddonPicture& picture) {
    return !picture || picture->GetWidth() == 0 || picture->GetHeight() == 0;
}
