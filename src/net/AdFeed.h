#pragma once
// The advertisement feed: the request address, the reply's header and its
// groups of advertisements, the colour form, and the cache file names of the
// pictures. No Windows here; the reader (BrivoAdReader) fetches, caches and
// loads the pictures.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "json/JsonDocument.h"
#include "net/TagBrivoAdFields.h"

// Reply codes of the feed's "msg".
enum AdReplyCode : std::int32_t {
    kAdUnchanged = 0,  // use the cached feed
    kAdNew = 1,        // use it and cache it
    kAdNone = 2,       // no advertisement
    kAdNewToo = 3,     // as 1
};

struct AdFeedHeader {
    std::wstring CheckUrl;
    std::wstring AdId;
    std::wstring Lang;
    std::wstring AdVer;
    std::int32_t AdRefresh = 86400;
};

using AdFeedGroup = TagBrivoAdGroup<TagBrivoAdFields>;

struct AdFeedContent {
    AdFeedHeader Header;
    bool HeaderRead = false;
    // The groups and advertisements built before the first fault, in feed order.
    std::vector<AdFeedGroup> Groups;
    // Every member was there and readable: only such a feed is cached.
    bool Complete = false;
};

// The request: address + "?name=kolt&ver=" + version + "&lang=" + lang +
// "&adver=" + adver, each value percent-encoded as UTF-8.
std::wstring AdRequestUrl(const std::wstring& feedAddress, std::wstring_view version, std::wstring_view lang,
                          std::wstring_view adver);

// "msg" of a feed object; none when it is missing or not an integer.
std::optional<std::int32_t> AdReplyCodeOf(const JsonValue& feed);

// The header members in their order, then each group and advertisement in
// order. A missing member, a wrong type or a colour of the wrong form ends
// the reading there: what was built before it is kept.
AdFeedContent ReadAdFeed(const JsonValue& feed);

// "#RRGGBB" as 0x00BBGGRR (the first character is not checked; characters
// after the seventh are ignored); empty gives black; none for anything else.
std::optional<std::uint32_t> HexToColor(std::wstring_view text);

// The cache file name of a picture: the part of its address after the last
// "/", when that is a plain file name (no path separator, drive, "..",
// characters Windows refuses, reserved device name or trailing dot or blank,
// at most 120 characters). None for anything else: such a picture is not
// cached and its advertisement not shown.
std::optional<std::wstring> CachedPictureName(std::wstring_view imgsrc);

// Whether an advertisement is reported to the banner: in a group of kind 1
// only the first one is.
bool IsReportedAd(std::int32_t groupKind, std::int32_t index);
