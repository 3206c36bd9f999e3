#include "net/rating/ReviewConversations.h"

#include "net/rating/RateThread.h"
#include "net/rating/ReviewSteps.h"

namespace {

template <class Step>
void StartWith(std::unique_ptr<TRateThread> thread, std::shared_ptr<Step> step, std::shared_ptr<TRateTarget> target,
               std::function<void()> onEnd) {
    thread->OnStep = [step](TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params,
                            std::wstring& url) { return (*step)(sender, lastOk, params, url); };
    if (onEnd) {
        thread->OnEnd = [target = std::move(target), onEnd = std::move(onEnd)] {
            if (target->IsOpen()) onEnd();
        };
    }
    TRateThread::Start(std::move(thread));
}

}  // namespace

void StartOpeningConversation(const TReviewedAddon& addon, std::shared_ptr<TRateTarget> target,
                              std::function<void()> onEnd) {
    StartWith(std::make_unique<TRateThread>(), std::make_shared<TPlugInfoStep>(addon, target), target,
              std::move(onEnd));
}

void StartCommentsConversation(const std::wstring& serverPlugId, int sortType, int startId,
                               std::shared_ptr<TRateTarget> target, std::function<void()> onEnd) {
    StartWith(std::make_unique<TRateThread>(),
              std::make_shared<TCommentsStep>(serverPlugId, sortType, startId, target), target, std::move(onEnd));
}

void StartAddCommentConversation(const TReviewedAddon& addon, const std::wstring& serverPlugId,
                                 const TOwnReview& review, std::shared_ptr<TRateTarget> target,
                                 std::function<void()> onEnd) {
    StartWith(std::make_unique<TRateThread>(),
              std::make_shared<TAddCommentStep>(addon, serverPlugId, review, target), target, std::move(onEnd));
}

void StartJudgeConversation(int commentId, int score, std::shared_ptr<TRateTarget> target,
                            std::function<void()> onEnd) {
    auto thread = std::make_unique<TRateThread>();
    thread->Params.push_back(L"comment_id=" + std::to_wstring(commentId));
    thread->Params.push_back(L"score=" + std::to_wstring(score));
    thread->Tag = static_cast<std::uintptr_t>(static_cast<unsigned>(commentId));
    StartWith(std::move(thread), std::make_shared<TJudgeStep>(target), target, std::move(onEnd));
}
