#include "browsers/IconDownload.h"

#include <deque>
#include <memory>

#include "net/DownLoadImgThread.h"
#include "browsers/PngPicture.h"

namespace {

// A browser with hundreds of add-ons asks for all their icons at once. A
// thread each at the same time would exhaust a 32-bit process (Wine refuses
// new threads after about 750), and the internet library talks to one server
// over a couple of connections anyway; so a few run and the rest wait.
constexpr std::size_t kAtOnce = 8;

struct Download {
    std::uint64_t id;
    std::shared_ptr<TagBrivoAdInfo> request;
};

// Touched on the user-interface thread only.
std::deque<Download> waiting;
std::size_t running = 0;

void Deliver(std::uint64_t id, TagBrivoAdInfo& request) {
    TBrowserExtensionInfo* record = IconDownloadTicket::Redeem(id);
    if (!record || IsEmptyPicture(request.Image)) return;
    AddonPicture copy = ClonePicture(*request.Image);
    if (!copy) return;
    record->DownloadedIcon = std::move(request.Image);
    record->Icon = std::move(copy);
}

void StartWaiting() {
    while (running < kAtOnce && !waiting.empty()) {
        Download next = std::move(waiting.front());
        waiting.pop_front();
        // A record destroyed while its download waited needs no fetch.
        if (!IconDownloadTicket::IsWaiting(next.id)) continue;
        // The request lives as long as the thread's end notification, which
        // is the last thing that reads it.
        auto thread = std::make_unique<TDownLoadImgThread>(next.request.get());
        thread->OnTerminate = [download = std::move(next)](TDownLoadImgThread&) {
            --running;
            Deliver(download.id, *download.request);
            StartWaiting();
        };
        ++running;
        TSelfFreeingThread::Start(std::move(thread));
    }
}

}  // namespace

void StartIconDownload(TBrowserExtensionInfo& record) {
    auto request = std::make_shared<TagBrivoAdInfo>();
    request->ImgSrc = record.IconUrl;
    waiting.push_back({record.IconDownload.Issue(&record), std::move(request)});
    StartWaiting();
}

std::size_t IconDownloadsRunning() { return running + waiting.size(); }
