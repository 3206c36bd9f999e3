#include "net/rating/CommentsStep.h"

#include "net/rating/RateReply.h"
#include "net/rating/RateSessionInstance.h"
#include "net/rating/RateThread.h"
#include "net/rating/RatingResult.h"

bool TCommentsStep::operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params,
                               std::wstring& url) {
    if (url.empty()) {
        params.push_back(L"plug_id=" + serverPlugId_);
        params.push_back(L"sort_type=" + std::to_wstring(sortType_));
        params.push_back(L"start_id=" + std::to_wstring(startId_));
        url = RateOperationUrl(L"get_comments");
        return true;
    }
    if (!lastOk) return false;
    const std::optional<TRateReply> reply = TRateReply::Read(sender.Response);
    if (!reply) return false;
    const int code = reply->Code();
    if (code == RateCode::LastPage || code == RateCode::MorePages) {
        const bool more = code == RateCode::MorePages;
        target_->HandOver([reviews = reply->Reviews(), more](TReviewsReceiver& window) {
            window.FillReviews(reviews, more);
        });
    } else {
        target_->PostResult(static_cast<WPARAM>(static_cast<unsigned>(code)), 0);
    }
    return false;
}
