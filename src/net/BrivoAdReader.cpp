#include "net/BrivoAdReader.h"

#include "gfx/AddonIcons.h"
#include "gfx/PngPicture.h"
#include "json/JsonDocument.h"
#include "net/AdFeed.h"
#include "net/DownLoadImgThread.h"
#include "net/HttpReadThread.h"
#include "net/ServiceAddresses.h"
#include "net/WebAddress.h"
#include "platform/AnsiText.h"
#include "platform/FileUtil.h"
#include "platform/Utf.h"

namespace {

constexpr wchar_t kAdFile[] = L"Ad.txt";
constexpr wchar_t kFeedCache[] = L"UpdateInfo.txt";

}  // namespace

TBrivoADReader::TBrivoADReader() : self_(std::make_shared<TBrivoADReader*>(this)) {}

TBrivoADReader::~TBrivoADReader() { *self_ = nullptr; }

std::wstring TBrivoADReader::BuiltInFeedUrl() { return AdServerBaseUrl() + L"/ad/ad1.php"; }

void TBrivoADReader::Start() {
    AdVer = L"0";
    if (FileExists(CacheFolder + kAdFile)) {
        const std::optional<JsonDocument> ad = JsonDocument::LoadFile(CacheFolder + kAdFile);
        const JsonValue* root = ad ? &ad->Root() : nullptr;
        if (root && root->IsObject() && Member(root, "adcheckurl") && Member(root, "adver")) {
            CheckUrl = ToWide(GetText(root, "adcheckurl"));
            AdVer = ToWide(GetText(root, "adver"));
        }
    }
    // Only a web address is fetched: the file is the user's, but a feed
    // address pointing elsewhere would not be an advertisement server.
    const std::wstring address = IsWebAddress(CheckUrl) ? CheckUrl : BuiltInFeedUrl();
    if (AppVersion.empty() || Lang.empty() || AdVer.empty()) return;
    auto fetch = std::make_unique<THttpReadThread>(AdRequestUrl(address, AppVersion, Lang, AdVer));
    fetch->OnTerminate = [self = std::weak_ptr<TBrivoADReader*>(self_)](THttpReadThread& done) {
        const std::shared_ptr<TBrivoADReader*> reader = self.lock();
        if (reader && *reader && done.Done) (*reader)->ParseFeed(done.Text);
    };
    TSelfFreeingThread::Start(std::move(fetch));
}

void TBrivoADReader::ParseFeed(const std::string& text) {
    if (text.empty()) return;
    RawFeed = text;
    const std::optional<JsonDocument> received = JsonDocument::Parse(ToUtf8(AnsiToWide(text)));
    if (!received) return;
    const std::optional<std::int32_t> code = AdReplyCodeOf(received->Root());
    if (!code) return;
    ReplyCode = *code;
    if (ReplyCode == kAdNone) {
        NoAds = true;
        Groups.clear();
        return;
    }
    std::optional<JsonDocument> cached;
    const JsonDocument* feed = &*received;
    if (ReplyCode == kAdUnchanged) {
        if (!FileExists(CacheFolder + kFeedCache)) return;
        cached = JsonDocument::LoadFile(CacheFolder + kFeedCache);
        if (!cached) return;
        feed = &*cached;
    }
    const AdFeedContent content = ReadAdFeed(feed->Root());
    if (content.HeaderRead) {
        CheckUrl = content.Header.CheckUrl;
        AdId = content.Header.AdId;
        Lang = content.Header.Lang;
        AdVer = content.Header.AdVer;
        AdRefresh = content.Header.AdRefresh;
    }
    // The groups first, so that reports during the picture loading find
    // every group in place.
    Groups.clear();
    for (const AdFeedGroup& source : content.Groups) {
        TagBrivoAd& group = Groups.emplace_back();
        group.Index = source.Index;
        group.Kind = source.Kind;
        group.Page = source.Page;
        group.GroupCount = source.GroupCount;
        group.Current = source.Current;
        group.RemainingLife = source.RemainingLife;
        group.Elapsed = source.Elapsed;
        for (const TagBrivoAdFields& fields : source.Ads) {
            auto ad = std::make_shared<TagBrivoAdInfo>();
            static_cast<TagBrivoAdFields&>(*ad) = fields;
            group.Ads.push_back(std::move(ad));
        }
    }
    const std::vector<TagBrivoAd> groups = Groups;  // a report may not change them, but be safe
    for (const TagBrivoAd& group : groups)
        for (const std::shared_ptr<TagBrivoAdInfo>& ad : group.Ads) PrepareImage(ad);
    if ((ReplyCode == kAdNew || ReplyCode == kAdNewToo) && content.Complete) {
        try {
            received->SaveFile(CacheFolder + kFeedCache);
        } catch (...) {
            // Not cached: the next run asks with the old version again.
        }
    }
}

void TBrivoADReader::PrepareImage(const std::shared_ptr<TagBrivoAdInfo>& ad) {
    if (ad->ImgSrc.empty()) {
        Report(*ad);
        return;
    }
    // A name that is not a plain file name would write outside the cache
    // folder (or to a device): such an advertisement is not shown.
    const std::optional<std::wstring> name = CachedPictureName(ad->ImgSrc);
    if (!name) return;
    ad->CacheFile = CacheFolder + *name;
    if (FileExists(ad->CacheFile)) {
        ad->Image = LoadPngFile(ad->CacheFile);
        if (!IsEmptyPicture(ad->Image)) Report(*ad);
        return;
    }
    if (!IsWebAddress(ad->ImgSrc)) return;
    auto download = std::make_unique<TDownLoadImgThread>(ad.get());
    download->OnTerminate = [self = std::weak_ptr<TBrivoADReader*>(self_), ad](TDownLoadImgThread& done) {
        const std::shared_ptr<TBrivoADReader*> reader = self.lock();
        if (reader && *reader && done.Done) (*reader)->Report(*ad);
    };
    TSelfFreeingThread::Start(std::move(download));
}

void TBrivoADReader::Report(const TagBrivoAdInfo& ad) {
    if (!IsReportedAd(ad.Kind, ad.Index)) return;
    if (OnAdReady) OnAdReady(*this, ad);
}
