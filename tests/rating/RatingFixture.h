#pragma once
// The rating tests' loopback service, a window that records what the
// conversations deliver, and a browser adapter with records made by hand.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "browsers/BrowserAppBase.h"
#include "platform/MainThreadCalls.h"
#include "net/rating/RateSessionInstance.h"
#include "net/rating/RateTarget.h"
#include "net/rating/RatingResult.h"
#include "support/MessagePump.h"
#include "support/RatingService.h"

// A window of the user-interface thread that handles WM_RATING_RESULT as the
// main window does (storing a delivered rating into its record) and the
// reviews window's updates, writing one line per event.
class RecordingWindow : public TReviewsReceiver {
public:
    RecordingWindow() {
        WNDCLASSW windowClass{};
        windowClass.lpfnWndProc = Procedure;
        windowClass.hInstance = GetModuleHandleW(nullptr);
        windowClass.lpszClassName = L"BrivoRatingTestWindow";
        RegisterClassW(&windowClass);
        window_ = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  GetModuleHandleW(nullptr), nullptr);
        SetWindowLongPtrW(window_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
        target = TRateTarget::Create(window_, this);
    }
    ~RecordingWindow() override { Destroy(); }

    // As a window's destroy handler would.
    void Destroy() {
        if (!window_) return;
        target->Close();
        DestroyWindow(window_);
        window_ = nullptr;
    }

    void ApplyPlugInfo(const TPlugInfo& info) override {
        std::wstring counts;
        for (const int n : info.StarCounts) counts += L"," + std::to_wstring(n);
        Log(L"info:" + info.ServerPlugId + L":" + std::to_wstring(static_cast<int>(info.RatingsAverage * 100)) +
            counts);
    }
    void FillReviews(const std::vector<TReviewEntry>& reviews, bool more) override {
        std::wstring text = L"reviews:" + std::to_wstring(reviews.size()) + (more ? L":more" : L":last");
        for (const auto& r : reviews) text += L":" + std::to_wstring(r.Score) + r.Nickname;
        Log(text);
        lastReviews = reviews;
    }
    void SetLoadFailed(bool failed) override { Log(failed ? L"failed:1" : L"failed:0"); }

    std::function<void()> EndMark() {
        return [this] {
            ended = true;
            Log(L"end");
        };
    }
    bool WaitForEnd(unsigned ms = 15000) { return PumpMessagesUntil([this] { return ended; }, ms); }

    std::shared_ptr<TRateTarget> target;
    std::vector<std::wstring> events;
    std::vector<TReviewEntry> lastReviews;
    std::vector<DWORD> handlerThreads;
    bool ended = false;
    // Time each delivered rating takes the window, to stand for real work.
    unsigned ratingCostMicroseconds = 0;
    static constexpr UINT kTick = WM_APP + 7;
    HWND Handle() const { return window_; }

private:
    void Log(const std::wstring& line) { events.push_back(line); }

    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        auto* self = reinterpret_cast<RecordingWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (message == kTick && self) {
            self->Log(L"tick");
            return 0;
        }
        if (message != WM_RATING_RESULT || !self) return DefWindowProcW(window, message, wParam, lParam);
        self->handlerThreads.push_back(GetCurrentThreadId());
        if (IsRatingDelivery(wParam)) {
            auto* record = reinterpret_cast<TBrowserExtensionInfo*>(lParam);
            record->Rating = DeliveredRating(wParam);
            if (self->ratingCostMicroseconds) BusyWait(self->ratingCostMicroseconds);
            self->Log(L"rating:" + std::to_wstring(wParam >> 16) + L":" + record->Id);
        } else {
            self->Log(L"code:" + std::to_wstring(wParam) + L":" + std::to_wstring(lParam));
        }
        return 0;
    }

    static void BusyWait(unsigned microseconds) {
        LARGE_INTEGER frequency, start, now;
        QueryPerformanceFrequency(&frequency);
        QueryPerformanceCounter(&start);
        do {
            QueryPerformanceCounter(&now);
        } while ((now.QuadPart - start.QuadPart) * 1000000 / frequency.QuadPart < microseconds);
    }

    HWND window_ = nullptr;
};

class TestAdapter : public TBrowserAppBase {
public:
    explicit TestAdapter(BrowserKind kind, const std::vector<std::wstring>& ids = {}) {
        Kind = kind;
        for (const auto& id : ids) Add(id);
    }
    TBrowserExtensionInfo& Add(const std::wstring& id) {
        auto record = std::make_unique<TBrowserExtensionInfo>();
        record->Id = id;
        record->Name = L"Name of " + id;
        Extensions.push_back(std::move(record));
        return *Extensions.back();
    }
    void CloseBrowser() override {}
    bool IsBrowserRunning() override { return false; }
    bool RemoveExtension(TBrowserExtensionInfo* record) override { return DestroyExtension(record); }
    bool ToggleExtension(TBrowserExtensionInfo* record) override { return record->Disabled = !record->Disabled; }
};

class RatingServiceTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        service = std::make_unique<TestRatingService>(L"--page-size 3");
        InitMainThreadCalls();
    }
    static void TearDownTestSuite() { service.reset(); }
    void SetUp() override {
        ASSERT_TRUE(service->Started()) << service->Failure();
        UseService();
        service->Reset();
        RateSession().SetClock([] { return static_cast<std::uint64_t>(GetTickCount64()); });
        RateSession().Forget();
    }
    void TearDown() override { RateSession().Forget(); }

    static void UseService() { SetEnvironmentVariableW(L"BRIVO_RATING_URL", service->BaseUrl().c_str()); }
    // A port on which nothing listens.
    static void UseUnreachableService() { SetEnvironmentVariableW(L"BRIVO_RATING_URL", L"http://127.0.0.1:9"); }
    // The key the last request of an operation carried (its last field).
    static std::string SentKey(const wchar_t* operation) {
        const std::string body = service->LastBody(operation);
        const size_t at = body.rfind("&key=");
        return at == std::string::npos ? std::string("(no key field)") : body.substr(at + 5);
    }

    inline static std::unique_ptr<TestRatingService> service;
};
