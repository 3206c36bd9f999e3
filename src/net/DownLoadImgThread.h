#pragma once
// Downloads one picture in the background (HttpGetPng) into its request and,
// when the request names a cache file, saves it there too.
#include <functional>

#include "platform/SelfFreeingThread.h"
#include "net/TagBrivoAdInfo.h"

class TDownLoadImgThread : public TSelfFreeingThread {
public:
    // The request is not owned and must live until the end notification;
    // until then the owner leaves its Image alone.
    explicit TDownLoadImgThread(TagBrivoAdInfo* request) : Request(request) {}

    TagBrivoAdInfo* Request;
    // True when a picture was stored into the request (and cached, when asked).
    bool Done = false;
    // Runs on the user-interface thread when the work is over.
    std::function<void(TDownLoadImgThread&)> OnTerminate;

protected:
    void Execute() override;
    void NotifyEnd() override;
};
