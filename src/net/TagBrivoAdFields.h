#pragma once
// The fields of one advertisement as its feed gives them (the picture itself
// is added by TagBrivoAdInfo), and of a group of advertisements.
#include <cstdint>
#include <string>
#include <vector>

struct TagBrivoAdRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
};

struct TagBrivoAdFields {
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
};

// One group of "adgroup"; the feed's parse keeps its advertisements as
// fields, the reader as records shared with their picture downloads.
template <class Ad>
struct TagBrivoAdGroup {
    std::int32_t Index = 0;
    std::int32_t Kind = 0;
    std::int32_t Page = 0;
    std::int32_t GroupCount = 0;
    std::int32_t Current = 0;
    std::int32_t RemainingLife = 0;
    std::int32_t Elapsed = 0;
    std::vector<Ad> Ads;
};
