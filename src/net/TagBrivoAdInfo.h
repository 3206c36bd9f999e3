#pragma once
// One advertisement of the banner's feed; also the request record of a
// picture download, which uses ImgSrc, Image and CacheFile.
#include <cstdint>
#include <string>

#include "gfx/AddonPicture.h"

struct TagBrivoAdRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

struct TagBrivoAdInfo {
    std::int32_t Index = 0;
    std::int32_t Align = 0;
    std::int32_t Frame = 0;
    std::wstring ImgSrc;  // the picture's address
    std::int32_t Interval = 0;
    std::int32_t Life = 0;
    std::wstring Link;
    std::wstring Title;
    std::wstring Tips;
    TagBrivoAdRect Rect;
    std::int32_t Page = 0;
    std::int32_t Kind = 0;
    std::wstring FontName;
    std::int32_t FontSize = 0;
    std::uint32_t FontColor = 0;      // 0x00BBGGRR
    std::uint32_t FontColorOver = 0;  // 0x00BBGGRR
    // The picture; a download stores it here. None means empty.
    AddonPicture Image;
    // Where the picture is cached; empty for a download that writes no file.
    std::wstring CacheFile;
};
