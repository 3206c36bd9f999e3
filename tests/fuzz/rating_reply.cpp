// Rating service replies from an untrusted network: the JSON reader with its
// field reads, and the line form of the batch, on arbitrary bytes.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "net/rating/BatchRatingReply.h"
#include "net/rating/RateReply.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view body(reinterpret_cast<const char*>(data), size);
    if (const auto reply = TRateReply::Read(body)) {
        (void)reply->Code();
        (void)reply->Root().String("key");
        (void)reply->Root().Float("ratings_average");
        (void)reply->PlugInfo();
        for (const TReviewEntry& review : reply->Reviews()) (void)review.Content.size();
    }
    const TBatchRatingReply batch = ReadBatchRatingReply(body, {L"abc", L"{1}", L"", L"msg"});
    for (const auto& [index, tenths] : batch.Ratings) {
        if (index >= 4 || tenths < 0 || tenths > 50) __builtin_trap();
    }
    return 0;
}
