#pragma once
// The window end of rating conversations. A window makes one, gives it to
// the conversations it starts and closes it when it is destroyed (or stops
// wanting results); from then on everything the conversations still deliver
// is dropped. Deliveries run on the user-interface thread in the order a
// conversation made them: codes arrive as WM_RATING_RESULT sent to the
// window from its own thread, window updates as calls of the receiver.
#include <windows.h>

#include <functional>
#include <memory>
#include <utility>
#include <vector>

#include "net/rating/RateReply.h"

// What the reviews window does with the data of its conversations.
class TReviewsReceiver {
public:
    virtual ~TReviewsReceiver() = default;
    virtual void ApplyPlugInfo(const TPlugInfo& info) = 0;
    virtual void FillReviews(const std::vector<TReviewEntry>& reviews, bool more) = 0;
    // The failure mark of the opening conversation.
    virtual void SetLoadFailed(bool failed) = 0;
};

class TRateTarget : public std::enable_shared_from_this<TRateTarget> {
    struct MadeByCreate {};

public:
    // Make on the user-interface thread; receiver may be null (main window).
    static std::shared_ptr<TRateTarget> Create(HWND window, TReviewsReceiver* receiver = nullptr);
    // For Create only (its first argument cannot be made elsewhere).
    TRateTarget(MadeByCreate, HWND window, TReviewsReceiver* receiver) : window_(window), receiver_(receiver) {}

    TRateTarget(const TRateTarget&) = delete;
    TRateTarget& operator=(const TRateTarget&) = delete;

    // On the user-interface thread: nothing more reaches the window.
    void Close();
    bool IsOpen() const { return window_ != nullptr; }
    HWND Window() const { return window_; }

    // From a worker: queue WM_RATING_RESULT (code, value) and go on.
    void PostResult(WPARAM code, LPARAM value);
    // From a worker: send WM_RATING_RESULT for each result in order and wait
    // until all were handled. They are handed to the window's thread in runs
    // of at most about 2 ms, so that its message loop keeps going while
    // thousands arrive; accept(i), when given, decides there, just before,
    // whether result i still applies. Stops when the target is closed.
    void SendResults(const std::vector<std::pair<WPARAM, LPARAM>>& results,
                     const std::function<bool(size_t)>& accept = {});
    // From a worker: queue a call of the receiver.
    void HandOver(std::function<void(TReviewsReceiver&)> update);

private:
    // Read and written on the user-interface thread only.
    HWND window_;
    TReviewsReceiver* receiver_;
};
