#pragma once
// Like, dislike or report of one review: the fields "comment_id" and "score"
// are in the thread's Params and the comment id in its Tag before it starts;
// the one add_comment_ratings reply is reported with the comment id as value,
// a failed or unreadable one as 0xFFFF.
#include <memory>
#include <string>
#include <vector>

#include "net/rating/RateTarget.h"

class TRateThread;

class TJudgeStep {
public:
    explicit TJudgeStep(std::shared_ptr<TRateTarget> target) : target_(std::move(target)) {}

    bool operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params, std::wstring& url);

private:
    std::shared_ptr<TRateTarget> target_;
};
