#include "browsers/IconDownload.h"

#include <atomic>
#include <deque>
#include <memory>
#include <utility>

#include "net/DownLoadImgThread.h"
#include "platform/MainThreadCalls.h"
#include "gfx/PngPicture.h"

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
// Also lowered on a worker thread when its end notification is dropped.
std::atomic<std::size_t> running{0};

void StartWaiting();

// A running download's place among the kAtOnce. It goes with the end
// notification: when that runs, or when it is dropped (a message the
// user-interface thread never receives), the place is free again, so that
// lost notifications never stop the downloads for good.
class Slot {
public:
    Slot() { ++running; }
    Slot(const Slot&) = delete;
    Slot& operator=(const Slot&) = delete;
    ~Slot() {
        if (!held_) return;
        --running;
        // Dropped: the waiting downloads are started from the user-interface
        // thread, or by the next StartIconDownload should this call be lost too.
        if (!OnMainThread()) PostToMainThread(StartWaiting);
    }
    void Release() {
        if (std::exchange(held_, false)) --running;
    }

private:
    bool held_ = true;
};

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
        thread->OnTerminate = [download = std::move(next), slot = std::make_shared<Slot>()](TDownLoadImgThread&) {
            slot->Release();
            Deliver(download.id, *download.request);
            StartWaiting();
        };
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
