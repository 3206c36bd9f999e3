#pragma once
// The steps of the reviews window's conversations with the rating service,
// one callable class per conversation (see ReviewConversations).
#include <memory>
#include <string>
#include <vector>

#include "net/rating/RateTarget.h"
#include "net/rating/ReviewedAddon.h"

class TRateThread;

// The reviews window's opening conversation: get_plug_info; for an add-on
// the service does not know (code 2) add_plug; with the add-on information
// (code 1) the first page of reviews (get_comments, start 0, order 0). The
// failure mark follows the last request; an unreadable reply sets it and
// ends. Reviews (5, 6) are listed; any other code is reported.
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

// The reviews window's re-sorting and paging: one get_comments request
// ("plug_id", "sort_type", "start_id"); reviews (5, 6) are appended to the
// list, any other code is reported; a failed or unreadable reply ends
// without a word.


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

// Posting the user's review: add_comment; when it was stored (code 4, with
// the new review's id as value) get_plug_info with only "browser_id" and
// "plug_id" to refresh the counts, whose reply (normally code 1) is applied.
// A failed or unreadable reply is reported as 0xFFFF.


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

// Like, dislike or report of one review: the fields "comment_id" and "score"
// are in the thread's Params and the comment id in its Tag before it starts;
// the one add_comment_ratings reply is reported with the comment id as value,
// a failed or unreadable one as 0xFFFF.


class TJudgeStep {
public:
    explicit TJudgeStep(std::shared_ptr<TRateTarget> target) : target_(std::move(target)) {}

    bool operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params, std::wstring& url);

private:
    std::shared_ptr<TRateTarget> target_;
};
