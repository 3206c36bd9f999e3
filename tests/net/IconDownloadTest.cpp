#include "browsers/IconDownload.h"

#include <cstring>
#include <new>
#include <vector>

#include "net/LoopbackServer.h"
#include "gfx/PngPicture.h"
#include "platform/MainThreadCalls.h"
#include "net/WebFetch.h"

namespace {

class IconDownloads : public LoopbackServerTest {
protected:
    static bool AllEnded() { return IconDownloadsRunning() == 0; }

    static std::unique_ptr<TBrowserExtensionInfo> Record(const std::wstring& iconUrl) {
        auto record = std::make_unique<TBrowserExtensionInfo>();
        record->Name = L"add-on";
        record->IconUrl = iconUrl;
        return record;
    }
};

TEST_F(IconDownloads, APngReachesTheRecordAsItsIconOnTheMainThread) {
    auto record = Record(Url(L"/blue.png"));
    StartIconDownload(*record);
    // Nothing reaches the record before the main thread's message loop runs.
    EXPECT_FALSE(record->Icon);
    ASSERT_TRUE(PumpMessagesUntil(AllEnded));
    ASSERT_TRUE(record->Icon);
    ASSERT_TRUE(record->DownloadedIcon);
    EXPECT_NE(record->Icon.get(), record->DownloadedIcon.get());
    EXPECT_EQ(record->Icon->GetWidth(), 32u);
    EXPECT_EQ(record->Icon->GetHeight(), 24u);
    EXPECT_EQ(PixelAt(*record->Icon, 1, 1), (Pixel{128, 0, 0, 255}));
    EXPECT_FALSE(record->IconDownload.Pending());
}

TEST_F(IconDownloads, AnHtmlPageAJpegOrAFailedFetchLeavesTheIconAsItWas) {
    for (const wchar_t* path : {L"/missing.png", L"/photo.jpg", L"/jpeg.png", L"/page.html", L"/empty"}) {
        auto record = Record(Url(path));
        record->Icon = HttpGetPng(Url(L"/red.png"));
        ASSERT_TRUE(record->Icon);
        Gdiplus::Bitmap* before = record->Icon.get();
        StartIconDownload(*record);
        ASSERT_TRUE(PumpMessagesUntil(AllEnded)) << path;
        EXPECT_EQ(record->Icon.get(), before) << path;
        EXPECT_EQ(PixelAt(*record->Icon, 0, 0), (Pixel{255, 255, 0, 0})) << path;
        EXPECT_FALSE(record->DownloadedIcon) << path;
    }
    auto unreachable = Record(Unreachable());
    StartIconDownload(*unreachable);
    ASSERT_TRUE(PumpMessagesUntil(AllEnded));
    EXPECT_FALSE(unreachable->Icon);
}

TEST_F(IconDownloads, ARecordDestroyedWhileItsDownloadRunsIsNeverTouched) {
    // The record lives in storage that outlasts it, so that any write after
    // its destruction would show in the pattern laid over it.
    alignas(TBrowserExtensionInfo) unsigned char storage[sizeof(TBrowserExtensionInfo)];
    auto* doomed = new (storage) TBrowserExtensionInfo;
    doomed->IconUrl = Url(L"/slow.png?ms=800");
    auto survivor = Record(Url(L"/slow.png?ms=900"));

    StartIconDownload(*doomed);
    StartIconDownload(*survivor);
    doomed->~TBrowserExtensionInfo();
    std::memset(storage, 0xA5, sizeof(storage));

    ASSERT_TRUE(PumpMessagesUntil(AllEnded));
    EXPECT_TRUE(std::all_of(std::begin(storage), std::end(storage), [](unsigned char b) { return b == 0xA5; }));
    ASSERT_TRUE(survivor->Icon);
    EXPECT_EQ(survivor->Icon->GetWidth(), 16u);
}

TEST_F(IconDownloads, ARecordRemovedFromItsListLosesOnlyItsOwnIcon) {
    std::vector<std::unique_ptr<TBrowserExtensionInfo>> list;
    for (int i = 0; i < 4; ++i) list.push_back(Record(Url(L"/slow.png?ms=") + std::to_wstring(300 + 100 * i)));
    for (auto& record : list) StartIconDownload(*record);
    list.erase(list.begin() + 1);
    list.erase(list.begin() + 2);
    ASSERT_TRUE(PumpMessagesUntil(AllEnded));
    ASSERT_EQ(list.size(), 2u);
    for (auto& record : list) EXPECT_TRUE(record->Icon);
    EXPECT_EQ(IconDownloadTicket::Outstanding(), 0u);
}

TEST_F(IconDownloads, EndsThatNeverReachTheMainThreadStillFreeTheirPlaces) {
    ASSERT_TRUE(InitMainThreadCalls());
    std::vector<std::unique_ptr<TBrowserExtensionInfo>> list;
    for (int i = 0; i < 12; ++i) list.push_back(Record(Url(L"/slow.png?ms=500&n=") + std::to_wstring(i)));
    for (auto& record : list) StartIconDownload(*record);
    ASSERT_EQ(IconDownloadsRunning(), 12u);
    // The window that carries the ends to this thread goes away while the
    // first eight downloads run: their ends cannot be posted.
    const HWND calls = FindWindowExW(HWND_MESSAGE, nullptr, L"BrivoMainThreadCalls", nullptr);
    ASSERT_NE(calls, nullptr);
    ASSERT_TRUE(DestroyWindow(calls));
    EXPECT_TRUE(PumpMessagesUntil([] { return IconDownloadsRunning() == 4; }))
        << IconDownloadsRunning() << " downloads still hold or wait for a place";

    // With the window back, the four that waited and a new one all run.
    ASSERT_TRUE(InitMainThreadCalls());
    auto later = Record(Url(L"/blue.png"));
    StartIconDownload(*later);
    ASSERT_TRUE(PumpMessagesUntil(AllEnded));
    EXPECT_TRUE(later->Icon);
    for (std::size_t i = 0; i < list.size(); ++i)
        EXPECT_EQ(static_cast<bool>(list[i]->Icon), i >= 8) << "record " << i << ": only lost ends lose the icon";
}

TEST_F(IconDownloads, ANewDownloadForTheSameRecordReplacesTheEarlierOne) {
    auto record = Record(Url(L"/slow.png?ms=700"));
    StartIconDownload(*record);
    record->IconUrl = Url(L"/blue.png");
    StartIconDownload(*record);
    ASSERT_TRUE(PumpMessagesUntil(AllEnded));
    ASSERT_TRUE(record->Icon);
    // The slow red picture came last but was no longer wanted.
    EXPECT_EQ(record->Icon->GetWidth(), 32u);
}

}  // namespace

namespace {

TEST_F(IconDownloads, ABrowserWithAThousandAddOnsGetsEveryIcon) {
    std::vector<std::unique_ptr<TBrowserExtensionInfo>> list;
    for (int i = 0; i < 1000; ++i) list.push_back(Record(Url(L"/slow.png?ms=10&n=") + std::to_wstring(i)));
    const int before = server->Hits(L"/slow.png");
    for (auto& record : list) StartIconDownload(*record);
    // Records removed while their downloads still wait are not fetched for.
    list.erase(list.begin() + 500, list.end());
    ASSERT_TRUE(PumpMessagesUntil(AllEnded, 60000));
    const auto withIcon = std::count_if(list.begin(), list.end(), [](const auto& r) { return r->Icon != nullptr; });
    EXPECT_EQ(withIcon, 500);
    EXPECT_LT(server->Hits(L"/slow.png") - before, 600);
    EXPECT_EQ(IconDownloadTicket::Outstanding(), 0u);
}

}  // namespace
