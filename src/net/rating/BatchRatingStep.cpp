#include "net/rating/BatchRatingStep.h"

#include "net/rating/BatchRatingReply.h"
#include "net/rating/RateForm.h"
#include "net/rating/RateSessionInstance.h"
#include "net/rating/RateThread.h"
#include "net/rating/RatingResult.h"

namespace {

// True while the adapter still holds the record; index is where it was.
bool StillListed(const TBrowserAppBase& adapter, size_t index, const TBrowserExtensionInfo* record) {
    const auto& list = adapter.Extensions;
    if (index < list.size() && list[index].get() == record) return true;
    // After a removal the later records sit one place further up.
    if (index > 0 && index - 1 < list.size() && list[index - 1].get() == record) return true;
    for (const auto& owned : list) {
        if (owned.get() == record) return true;
    }
    return false;
}

}  // namespace

TBatchRatingStep::TBatchRatingStep(const TBrowserAppBase& adapter, std::shared_ptr<TRateTarget> target)
    : adapter_(&adapter), target_(std::move(target)), browserId_(static_cast<int>(adapter.Kind)) {
    ids_.reserve(adapter.Extensions.size());
    records_.reserve(adapter.Extensions.size());
    for (const auto& record : adapter.Extensions) {
        ids_.push_back(record->Id);
        records_.push_back(record.get());
    }
}

bool TBatchRatingStep::operator()(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params,
                                  std::wstring& url) {
    if (url.empty()) {
        params.push_back(L"browser_id=" + std::to_wstring(browserId_));
        params.push_back(L"plug_ids_json=" + PlugIdsJson(ids_));
        url = RateOperationUrl(L"get_plugs_rating");
        return true;
    }
    if (!lastOk) return false;
    const TBatchRatingReply reply = ReadBatchRatingReply(sender.Response, ids_);
    if (reply.Unreadable) {
        target_->PostResult(RateCode::Unreadable, 0);
        return false;
    }
    if (reply.Code != RateCode::Ratings) {
        target_->PostResult(static_cast<WPARAM>(static_cast<unsigned>(reply.Code)), 0);
        return false;
    }
    // One synchronous WM_RATING_RESULT per rating, on the window's thread.
    std::vector<std::pair<WPARAM, LPARAM>> results;
    results.reserve(reply.Ratings.size());
    for (const auto& [index, tenths] : reply.Ratings) {
        results.emplace_back(RatingDeliveryParam(tenths), reinterpret_cast<LPARAM>(records_[index]));
    }
    target_->SendResults(results, [this, &reply](size_t i) {
        const size_t index = reply.Ratings[i].first;
        return StillListed(*adapter_, index, records_[index]);
    });
    target_->PostResult(RateCode::BatchDelivered, 0);
    return false;
}

void StartBatchRating(TBrowserAppBase& adapter, std::shared_ptr<TRateTarget> target, std::function<void()> onEnd) {
    auto thread = std::make_unique<TRateThread>();
    thread->Tag = reinterpret_cast<std::uintptr_t>(&adapter);
    if (onEnd) {
        thread->OnEnd = [target, onEnd = std::move(onEnd)] {
            if (target->IsOpen()) onEnd();
        };
    }
    auto step = std::make_shared<TBatchRatingStep>(adapter, std::move(target));
    thread->OnStep = [step](TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params,
                            std::wstring& url) { return (*step)(sender, lastOk, params, url); };
    TRateThread::Start(std::move(thread));
}
