#pragma once
// The main window's rating request for all add-ons of one browser: one
// get_plugs_rating request, then each rating that could be read sent to the
// window (WM_RATING_RESULT, tenths x 65536 + 9, the record) and 0xFFFE when
// all are delivered; or the reply's code when it is not 9, or 0xFFFF when the
// reply has no readable "msg". A failed request ends without a word.
//
// The worker never touches the records: it works on a snapshot of (Id,
// record) pairs taken when the request starts, and a rating is delivered
// only while its record is still in the adapter's list (the user may have
// removed it meanwhile).
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browsers/BrowserAppBase.h"
#include "net/rating/RateTarget.h"

class TRateThread;

class TBatchRatingStep {
public:
    // Takes the snapshot; on the user-interface thread.
    TBatchRatingStep(const TBrowserAppBase& adapter, std::shared_ptr<TRateTarget> target);

    bool operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params, std::wstring& url);

private:
    const TBrowserAppBase* adapter_;
    std::shared_ptr<TRateTarget> target_;
    int browserId_;
    std::vector<std::wstring> ids_;
    std::vector<const TBrowserExtensionInfo*> records_;
};

// Starts the request for the adapter's add-ons on a new worker whose Tag is
// the adapter (the main window's FillAddonList does this once per browser).
// Call on the user-interface thread. onEnd, when given, runs there after the
// last result, and only while the target is open.
void StartBatchRating(TBrowserAppBase& adapter, std::shared_ptr<TRateTarget> target,
                      std::function<void()> onEnd = {});
