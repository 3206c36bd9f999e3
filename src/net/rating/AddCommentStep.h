#pragma once
// Posting the user's review: add_comment; when it was stored (code 4, with
// the new review's id as value) get_plug_info with only "browser_id" and
// "plug_id" to refresh the counts, whose reply (normally code 1) is applied.
// A failed or unreadable reply is reported as 0xFFFF.
#include <memory>
#include <string>
#include <vector>

#include "net/rating/RateTarget.h"
#include "net/rating/ReviewedAddon.h"

class TRateThread;

struct TOwnReview {
    std::wstring Nickname;
    std::wstring Content;
    int Score = 0;  // 1 .. 5
};

class TAddCommentStep {
public:
    TAddCommentStep(TReviewedAddon addon, std::wstring serverPlugId, TOwnReview review,
                    std::shared_ptr<TRateTarget> target)
        : addon_(std::move(addon)), serverPlugId_(std::move(serverPlugId)), review_(std::move(review)),
          target_(std::move(target)) {}

    bool operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params, std::wstring& url);

private:
    TReviewedAddon addon_;
    std::wstring serverPlugId_;
    TOwnReview review_;
    std::shared_ptr<TRateTarget> target_;
    // The refresh goes out once, whatever the service answers to it.
    bool refreshSent_ = false;
};
