#pragma once
// Loading the manifest icons of many extensions at once. A profile may hold
// thousands; decoding is spread over the processor's cores, and the call
// returns once every picture is loaded (or found unreadable).
#include <string>
#include <vector>

#include "gfx/AddonPicture.h"

struct PngRequest {
    std::wstring path;
    AddonPicture* target;  // receives LoadPngFile(path); each request its own
};

// At most maxThreads threads, the calling one included, and never more than
// the processor has cores.
void LoadPngFiles(const std::vector<PngRequest>& requests, unsigned maxThreads = 4);
