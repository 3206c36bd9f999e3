#pragma once
// The reviews window's re-sorting and paging: one get_comments request
// ("plug_id", "sort_type", "start_id"); reviews (5, 6) are appended to the
// list, any other code is reported; a failed or unreadable reply ends
// without a word.
#include <memory>
#include <string>
#include <vector>

#include "net/rating/RateTarget.h"

class TRateThread;

class TCommentsStep {
public:
    TCommentsStep(std::wstring serverPlugId, int sortType, int startId, std::shared_ptr<TRateTarget> target)
        : serverPlugId_(std::move(serverPlugId)), sortType_(sortType), startId_(startId), target_(std::move(target)) {}

    bool operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params, std::wstring& url);

private:
    std::wstring serverPlugId_;
    int sortType_;
    int startId_;
    std::shared_ptr<TRateTarget> target_;
};
