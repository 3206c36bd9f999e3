#include "browsers/chromium/IconBatch.h"

#include <algorithm>
#include <atomic>
#include <new>
#include <system_error>
#include <thread>

#include "gfx/AddonIcons.h"

namespace {

// Below this, starting threads costs more than it saves.
constexpr std::size_t kRequestsPerThread = 32;

void Load(const PngRequest& request) {
    try {
        *request.target = LoadPngFile(request.path);
    } catch (const std::bad_alloc&) {
        // No memory for this picture: the list shows its default one.
    }
}

}  // namespace

void LoadPngFiles(const std::vector<PngRequest>& requests, unsigned maxThreads) {
    std::atomic<std::size_t> next{0};
    auto work = [&] {
        for (std::size_t i; (i = next++) < requests.size();) Load(requests[i]);
    };
    if (requests.empty()) return;
    // The first picture on this thread, so GDI+ is started before any helper runs.
    Load(requests[0]);
    next = 1;

    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const std::size_t wanted =
        std::min<std::size_t>({cores, std::max(1u, maxThreads), requests.size() / kRequestsPerThread + 1});
    std::vector<std::thread> helpers;
    helpers.reserve(wanted);
    for (std::size_t t = 1; t < wanted; ++t) {
        try {
            helpers.emplace_back(work);
        } catch (const std::system_error&) {
            break;  // no more threads: the others and this one share the rest
        } catch (const std::bad_alloc&) {
            break;  // no memory for another thread: likewise
        }
    }
    work();
    for (std::thread& helper : helpers) helper.join();
}
