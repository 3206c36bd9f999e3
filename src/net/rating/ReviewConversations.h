#pragma once
// Starting the reviews window's conversations, each on its own worker. Call
// on the user-interface thread. onEnd, when given, runs there after the
// conversation's last result, and only while the target is open.
#include <functional>
#include <memory>
#include <string>

#include "net/rating/RateTarget.h"
#include "net/rating/ReviewSteps.h"
#include "net/rating/ReviewedAddon.h"

// Opening: plug information, registration of an unknown add-on, first page.
void StartOpeningConversation(const TReviewedAddon& addon, std::shared_ptr<TRateTarget> target,
                              std::function<void()> onEnd = {});
// Re-sorting (startId 0) or the next page; sortType 0 "Useful or Not", 1 "Date".
void StartCommentsConversation(const std::wstring& serverPlugId, int sortType, int startId,
                               std::shared_ptr<TRateTarget> target, std::function<void()> onEnd = {});
void StartAddCommentConversation(const TReviewedAddon& addon, const std::wstring& serverPlugId,
                                 const TOwnReview& review, std::shared_ptr<TRateTarget> target,
                                 std::function<void()> onEnd = {});
// score: 1 like, 0 dislike, 2 report abuse.
void StartJudgeConversation(int commentId, int score, std::shared_ptr<TRateTarget> target,
                            std::function<void()> onEnd = {});
