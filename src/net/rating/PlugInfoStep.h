#pragma once
// The reviews window's opening conversation: get_plug_info; for an add-on
// the service does not know (code 2) add_plug; with the add-on information
// (code 1) the first page of reviews (get_comments, start 0, order 0). The
// failure mark follows the last request; an unreadable reply sets it and
// ends. Reviews (5, 6) are listed; any other code is reported.
#include <memory>
#include <string>
#include <vector>

#include "net/rating/RateTarget.h"
#include "net/rating/ReviewedAddon.h"

class TRateThread;

class TPlugInfoStep {
public:
    TPlugInfoStep(TReviewedAddon addon, std::shared_ptr<TRateTarget> target)
        : addon_(std::move(addon)), target_(std::move(target)) {}

    bool operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params, std::wstring& url);

private:
    TReviewedAddon addon_;
    std::shared_ptr<TRateTarget> target_;
    // Each follow-up goes out once: a service that keeps answering 1 or 2
    // would otherwise hold the conversation forever.
    bool addPlugSent_ = false;
    bool commentsSent_ = false;
};
