#include "net/rating/RateSessionInstance.h"

#include <windows.h>

#include "net/rating/RateReply.h"
#include "net/rating/RateThread.h"
#include "net/ServiceAddresses.h"

namespace {

constexpr int kKeyFollows = 13;

}  // namespace

std::wstring RateOperationUrl(const wchar_t* operation) {
    return RatingServiceBaseUrl() + L"/plugin/index.php?to=" + operation;
}

std::optional<std::wstring> FetchRateKey() {
    TRateThread fetcher;
    if (!fetcher.PostForm(RateOperationUrl(L"get_captcha"))) return std::nullopt;
    const std::optional<TRateReply> reply = TRateReply::Read(fetcher.Response);
    if (!reply || reply->Code() != kKeyFollows) return std::nullopt;
    return reply->Root().String("key");
}

TRateSession& RateSession() {
    // Never destroyed: closing the main window ends the process while
    // workers may still be inside GetKey.
    static TRateSession* const session =
        new TRateSession(FetchRateKey, [] { return static_cast<std::uint64_t>(GetTickCount64()); });
    return *session;
}
