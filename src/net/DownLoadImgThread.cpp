#include "net/DownLoadImgThread.h"

#include <windows.h>

#include <new>

#include "gfx/PngPicture.h"
#include "net/WebFetch.h"
#include "platform/TemporarySibling.h"

namespace {

// The picture goes to a file of its own beside the cache file and takes the
// cache file's place only once it is whole: a write that fails half-way (a
// full disk) never leaves a cut-off picture that a later run would load.
bool SaveCacheFile(Gdiplus::Bitmap& picture, const std::wstring& cacheFile) {
    RemoveStaleTemporarySiblings(cacheFile);
    const std::wstring pending = TemporarySiblingPath(cacheFile);
    if (SavePngFile(picture, pending) &&
        MoveFileExW(pending.c_str(), cacheFile.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    DeleteFileW(pending.c_str());
    return false;
}

}  // namespace

void TDownLoadImgThread::Execute() {
    try {
        AddonPicture picture = HttpGetPng(Request->ImgSrc);
        if (IsEmptyPicture(picture)) return;
        Request->Image = std::move(picture);
        // A picture that cannot be cached stays in the request, but the
        // owner is not told it is ready.
        if (!Request->CacheFile.empty() && !SaveCacheFile(*Request->Image, Request->CacheFile)) return;
        Done = true;
    } catch (const PictureDecodeError&) {
        // Not a PNG (an error page, a JPEG): the request keeps no picture.
    } catch (const std::bad_alloc&) {
        // A picture too large for memory is treated the same way.
    }
}

void TDownLoadImgThread::NotifyEnd() {
    if (OnTerminate) OnTerminate(*this);
}
