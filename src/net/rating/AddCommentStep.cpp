#include "net/rating/AddCommentStep.h"

#include "net/rating/RateReply.h"
#include "net/rating/RateSessionInstance.h"
#include "net/rating/RateThread.h"
#include "net/rating/RatingResult.h"

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
