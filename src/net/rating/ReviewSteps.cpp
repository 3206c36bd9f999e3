#include "net/rating/ReviewSteps.h"

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

bool TAddCommentStep::operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params,
                                 std::wstring& url) {
    if (url.empty()) {
        params.push_back(L"plug_id=" + serverPlugId_);
        params.push_back(L"nickname=" + review_.Nickname);
        params.push_back(L"content=" + review_.Content);
        params.push_back(L"ver=" + addon_.Version);
        params.push_back(L"score=" + std::to_wstring(review_.Score));
        url = RateOperationUrl(L"add_comment");
        return true;
    }
    const std::optional<TRateReply> reply = lastOk ? TRateReply::Read(sender.Response) : std::nullopt;
    if (!reply) {
        target_->PostResult(RateCode::Unreadable, 0);
        return false;
    }
    const int code = reply->Code();
    if (code == RateCode::PlugInfo) {
        target_->HandOver([info = reply->PlugInfo()](TReviewsReceiver& window) { window.ApplyPlugInfo(info); });
        return false;
    }
    target_->PostResult(static_cast<WPARAM>(static_cast<unsigned>(code)),
                        code == RateCode::CommentStored ? static_cast<LPARAM>(reply->Root().Integer("c_id")) : 0);
    if (code != RateCode::CommentStored || refreshSent_) return false;
    refreshSent_ = true;
    params.push_back(L"browser_id=" + std::to_wstring(addon_.BrowserId));
    params.push_back(L"plug_id=" + addon_.Id);
    url = RateOperationUrl(L"get_plug_info");
    return true;
}

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
