#include "net/rating/JudgeStep.h"

#include "net/rating/RateReply.h"
#include "net/rating/RateSessionInstance.h"
#include "net/rating/RateThread.h"
#include "net/rating/RatingResult.h"

bool TJudgeStep::operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params,
                            std::wstring& url) {
    if (url.empty()) {
        url = RateOperationUrl(L"add_comment_ratings");
        return true;
    }
    const auto commentId = static_cast<LPARAM>(sender.Tag);
    const std::optional<TRateReply> reply = lastOk ? TRateReply::Read(sender.Response) : std::nullopt;
    target_->PostResult(reply ? static_cast<WPARAM>(static_cast<unsigned>(reply->Code())) : RateCode::Unreadable,
                        commentId);
    return false;
}
