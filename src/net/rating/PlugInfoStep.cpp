#include "net/rating/PlugInfoStep.h"

#include "net/rating/RateReply.h"
#include "net/rating/RateSessionInstance.h"
#include "net/rating/RateThread.h"
#include "net/rating/RatingResult.h"

bool TPlugInfoStep::operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params,
                               std::wstring& url) {
    if (url.empty()) {
        params.push_back(L"browser_id=" + std::to_wstring(addon_.BrowserId));
        params.push_back(L"sort_type=0");
        params.push_back(L"plug_id=" + addon_.Id);
        url = RateOperationUrl(L"get_plug_info");
        return true;
    }
    const bool failed = !lastOk;
    target_->HandOver([failed](TReviewsReceiver& window) { window.SetLoadFailed(failed); });
    // The body of a failed request (a server error page, or an error status
    // over a well-formed object) is no answer.
    if (failed) return false;
    const std::optional<TRateReply> reply = TRateReply::Read(sender.Response);
    if (!reply) {
        target_->HandOver([](TReviewsReceiver& window) { window.SetLoadFailed(true); });
        return false;
    }
    const int code = reply->Code();
    if (code == RateCode::PlugInfo && !commentsSent_) {
        target_->HandOver([info = reply->PlugInfo()](TReviewsReceiver& window) { window.ApplyPlugInfo(info); });
        commentsSent_ = true;
        params.push_back(L"plug_id=" + reply->Root().String("id"));
        params.push_back(L"start_id=0");
        params.push_back(L"sort_type=0");
        url = RateOperationUrl(L"get_comments");
        return true;
    }
    if (code == RateCode::PlugUnknown && !addPlugSent_) {
        addPlugSent_ = true;
        params.push_back(L"browser_id=" + std::to_wstring(addon_.BrowserId));
        params.push_back(L"name=" + addon_.Name);
        params.push_back(L"introduction=" + addon_.Description);
        params.push_back(L"plug_id=" + addon_.Id);
        url = RateOperationUrl(L"add_plug");
        return true;
    }
    if (code == RateCode::LastPage || code == RateCode::MorePages) {
        const bool more = code == RateCode::MorePages;
        target_->HandOver([reviews = reply->Reviews(), more](TReviewsReceiver& window) {
            window.FillReviews(reviews, more);
        });
        return false;
    }
    target_->PostResult(static_cast<WPARAM>(static_cast<unsigned>(code)), 0);
    return false;
}
