#pragma once
// The advertisement reader: fetches the feed once, keeps its groups and
// advertisements, loads each picture from the cache folder or downloads it
// there, and reports each advertisement that is ready, on the
// user-interface thread.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/TagBrivoAdFields.h"
#include "net/TagBrivoAdInfo.h"

// The advertisements are shared with the downloads of their pictures, which
// may outlast the group.
using TagBrivoAd = TagBrivoAdGroup<std::shared_ptr<TagBrivoAdInfo>>;

class TBrivoADReader {
public:
    TBrivoADReader();
    ~TBrivoADReader();
    TBrivoADReader(const TBrivoADReader&) = delete;
    TBrivoADReader& operator=(const TBrivoADReader&) = delete;

    std::wstring AppVersion;
    std::int32_t ReplyCode = 0;
    std::wstring AdVer;
    std::wstring Lang;
    std::int32_t AdRefresh = 86400;
    std::string RawFeed;
    std::wstring CheckUrl;
    std::wstring AdId;
    bool NoAds = false;
    std::vector<TagBrivoAd> Groups;
    std::wstring CacheFolder;  // ends with a backslash
    std::function<void(TBrivoADReader&, const TagBrivoAdInfo&)> OnAdReady;

    // Reads "Ad.txt", builds the request and starts the fetch.
    void Start();
    // The feed as it arrived (ANSI code page), on the user-interface thread.
    void ParseFeed(const std::string& text);

    // The built-in feed address of the advertisement server.
    static std::wstring BuiltInFeedUrl();

private:
    void PrepareImage(const std::shared_ptr<TagBrivoAdInfo>& ad);
    void Report(const TagBrivoAdInfo& ad);

    // Lets the notifications of workers tell whether the reader still exists.
    std::shared_ptr<TBrivoADReader*> self_;
};
