#include "net/rating/RateTarget.h"

#include "platform/MainThreadCalls.h"
#include "net/rating/RatingResult.h"

std::shared_ptr<TRateTarget> TRateTarget::Create(HWND window, TReviewsReceiver* receiver) {
    InitMainThreadCalls();
    return std::make_shared<TRateTarget>(MadeByCreate{}, window, receiver);
}

void TRateTarget::Close() {
    window_ = nullptr;
    receiver_ = nullptr;
}

void TRateTarget::PostResult(WPARAM code, LPARAM value) {
    // Through the same queue as the receiver's calls, so that the order of
    // one conversation's results holds across both.
    PostToMainThread([self = shared_from_this(), code, value] {
        if (self->window_) SendMessageW(self->window_, WM_RATING_RESULT, code, value);
    });
}

namespace {

// The longest run of ratings handled in one go on the window's thread.
constexpr double kLongestRunSeconds = 0.002;

double Seconds() {
    static const double frequency = [] {
        LARGE_INTEGER f;
        QueryPerformanceFrequency(&f);
        return static_cast<double>(f.QuadPart);
    }();
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / frequency;
}

}  // namespace

void TRateTarget::SendResults(const std::vector<std::pair<WPARAM, LPARAM>>& results,
                              const std::function<bool(size_t)>& accept) {
    size_t next = 0;
    while (next < results.size()) {
        RunOnMainThread([&] {
            const double until = Seconds() + kLongestRunSeconds;
            do {
                if (!window_) {
                    next = results.size();
                    return;
                }
                if (!accept || accept(next)) {
                    SendMessageW(window_, WM_RATING_RESULT, results[next].first, results[next].second);
                }
                ++next;
            } while (next < results.size() && Seconds() < until);
        });
    }
}

void TRateTarget::HandOver(std::function<void(TReviewsReceiver&)> update) {
    PostToMainThread([self = shared_from_this(), update = std::move(update)] {
        if (self->window_ && self->receiver_) update(*self->receiver_);
    });
}
