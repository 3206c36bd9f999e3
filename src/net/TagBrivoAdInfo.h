#pragma once
// One advertisement of the banner's feed; also the request record of a
// picture download, which uses ImgSrc, Image and CacheFile.
#include <string>

#include "gfx/AddonPicture.h"
#include "net/TagBrivoAdFields.h"

struct TagBrivoAdInfo : TagBrivoAdFields {
    // The picture; a download stores it here. None means empty.
    AddonPicture Image;
    // Where the picture is cached; empty for a download that writes no file.
    std::wstring CacheFile;
};
