// The reviews window's speed. Prints figures:
//  - a page of 200 reviews appended to the list (each entry measured) and
//    the list painted, in a shown window (target below 50 ms);
//  - opening the window against the loopback rating service, from the call
//    to the window painted on screen: wait window, the opening conversation
//    (plug information and first page), the window made, shown and painted
//    with all its controls (target below 300 ms). The first run also fetches
//    the service key.
// Needs a display (Xvfb) and python3 for the stand-in service.
//
//   bench_reviews.exe [--runs=N]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "net/rating/RateSessionInstance.h"
#include "platform/MainThreadCalls.h"
#include "support/RatingService.h"
#include "ui/ImgModule.h"
#include "ui/OpenReviewsWindow.h"

namespace {

using bench::Clock;
using bench::MsSince;

constexpr int kPageSize = 200;

class BenchAdapter : public TBrowserAppBase {
public:
    BenchAdapter() {
        Kind = BrowserKind::ChromeFamily;
        auto record = std::make_unique<TBrowserExtensionInfo>();
        record->Id = L"benchaddonwithreviewsbenchaddon";
        record->Name = L"Bench Add-on";
        record->Version = L"1.0";
        record->Description = L"An add-on with reviews to open the reviews window on.";
        Extensions.push_back(std::move(record));
    }
    TBrowserExtensionInfo& Addon() { return *Extensions.front(); }
    void CloseBrowser() override {}
    bool IsBrowserRunning() override { return false; }
    bool RemoveExtension(TBrowserExtensionInfo*) override { return false; }
    bool ToggleExtension(TBrowserExtensionInfo*) override { return false; }
};

// Reviews as they come: most one or two lines, some longer, a few long.
std::vector<TReviewEntry> Page(int first) {
    static const wchar_t* kTexts[] = {
        L"Does exactly what it says. Light and quick.",
        L"Funktioniert gut, aber die Einstellungen sind schwer zu finden.",
        L"I use it every day at work; it has never let me down. The options page could explain the settings a "
        L"little better, but once set up it just works.",
        L"\x5F88\x597D\x7528\xFF0C\x4F46\x662F\x6709\x65F6\x5019\x4F1A\x53D8\x6162\x3002",
        L"Stopped working after the last update.\r\nPlease fix.",
        L"Meh.",
    };
    std::vector<TReviewEntry> page;
    for (int i = 0; i < kPageSize; ++i) {
        std::wstring text = kTexts[i % 6];
        if (i % 25 == 0)
            for (int k = 0; k < 12; ++k) text += L" And then some more words about it, for a long review.";
        page.push_back({first + i, L"reviewer " + std::to_wstring(first + i), text, 1 + i % 5, L"2026-01-01"});
    }
    return page;
}

void Drain() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

void PrintSpread(const char* what, std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    std::printf("  %-58s n=%zu  median %7.2f ms  max %7.2f ms\n", what, samples.size(), samples[samples.size() / 2],
                samples.back());
}

void MeasurePages(TOrixForm& owner, BenchAdapter& adapter, int runs) {
    std::vector<double> appended, painted, totals;
    for (int run = 0; run < runs; ++run) {
        TfrmKoltRate window(adapter, adapter.Addon());
        if (!window.CreateReviewsWindow(&owner)) {
            std::printf("  the window could not be made\n");
            return;
        }
        window.PrepareForShow();
        window.Show();
        RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        Drain();
        const std::vector<TReviewEntry> page = Page(1 + run * kPageSize);
        // A first page is there already; this is the next one.
        window.FillReviews(Page(100000), true);
        RedrawWindow(window.ReviewList().Handle(), nullptr, nullptr, RDW_UPDATENOW);
        const auto start = Clock::now();
        window.FillReviews(page, true);
        const double fill = MsSince(start);
        RedrawWindow(window.ReviewList().Handle(), nullptr, nullptr, RDW_UPDATENOW);
        GdiFlush();
        appended.push_back(fill);
        totals.push_back(MsSince(start));
        painted.push_back(totals.back() - fill);
        Drain();
    }
    std::printf(" a page of %d reviews appended to %d (%d runs):\n", kPageSize, kPageSize, runs);
    PrintSpread("appended (every entry measured)", appended);
    PrintSpread("list painted", painted);
    PrintSpread("appended and painted (target < 50 ms)", totals);
}

void MeasureOpening(TOrixForm& owner, BenchAdapter& adapter, int runs) {
    TestRatingService service;
    if (!service.Started()) {
        std::printf(" opening: the rating service did not start: %ls\n", service.Failure().c_str());
        return;
    }
    SetEnvironmentVariableW(L"BRIVO_RATING_URL", service.BaseUrl().c_str());
    service.AddPlug(1, adapter.Addon().Id, L"5,4,4,3,5,2,5,1,4,5,3,4");
    std::vector<double> totals;
    for (int run = 0; run < runs; ++run) {
        const auto start = Clock::now();
        std::unique_ptr<TfrmKoltRate> window = LoadReviewsWindow(owner, adapter, adapter.Addon());
        if (!window) {
            std::printf(" opening: the window did not open (run %d)\n", run + 1);
            return;
        }
        window->Show();
        RedrawWindow(window->Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        GdiFlush();
        totals.push_back(MsSince(start));
        std::printf("  run %d: %7.2f ms%s (%d entries)\n", run + 1, totals.back(), run == 0 ? " with the key fetch" : "",
                    window->ReviewList().Rows().Count());
        window.reset();
        Drain();
    }
    std::printf(" opening against the loopback service, call to painted (%d runs):\n", runs);
    PrintSpread("all runs (target < 300 ms)", totals);
    if (totals.size() > 1) PrintSpread("with the key held", std::vector<double>(totals.begin() + 1, totals.end()));
}

}  // namespace

int main(int argc, char** argv) {
    int runs = 5;
    for (int i = 1; i < argc; ++i)
        if (std::string(argv[i]).rfind("--runs=", 0) == 0) runs = std::max(1, std::atoi(argv[i] + 7));
    InitMainThreadCalls();
    ImgModule();
    TOrixForm owner;
    TOrixForm::CreateArgs args;
    args.caption = L"Bench main window";
    args.clientWidth = 801;
    args.clientHeight = 496;
    args.position = POINT{40, 40};
    if (!owner.Create(args)) {
        std::printf("no window could be made (is there a display?)\n");
        return 1;
    }
    owner.Show();
    Drain();
    BenchAdapter adapter;
    std::printf("reviews window\n");
    MeasurePages(owner, adapter, runs);
    MeasureOpening(owner, adapter, runs);
    return 0;
}
