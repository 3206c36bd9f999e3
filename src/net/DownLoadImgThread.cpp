#include "net/DownLoadImgThread.h"

#include <new>

#include "browsers/PngPicture.h"
#include "net/WebFetch.h"

void TDownLoadImgThread::Execute() {
    try {
        AddonPicture picture = HttpGetPng(Request->ImgSrc);
        if (IsEmptyPicture(picture)) return;
        Request->Image = std::move(picture);
        // A picture that cannot be cached stays in the request, but the
        // owner is not told it is ready.
        if (!Request->CacheFile.empty() && !SavePngFile(*Request->Image, Request->CacheFile)) return;
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
