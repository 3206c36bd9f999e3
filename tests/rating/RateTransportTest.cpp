// The worker's HTTP client and run loop against the loopback service.
#include "rating/RatingFixture.h"

#include "net/rating/RateThread.h"
#include "net/rating/ReviewConversations.h"

namespace {

class RateTransport : public RatingServiceTest {};

const std::wstring kCaptchaPath = L"/plugin/index.php?to=get_captcha";

}  // namespace

TEST_F(RateTransport, PostsHttp10WithTheFormTypeAndTheFixedUserAgent) {
    TRateThread client;
    client.Params = {L"a=b c"};
    ASSERT_TRUE(client.PostForm(service->BaseUrl() + kCaptchaPath));
    EXPECT_NE(client.Response.find("\"msg\":13"), std::string::npos);
    EXPECT_EQ(service->LastVersion(L"get_captcha"), "HTTP/1.0");
    EXPECT_EQ(service->LastBody(L"get_captcha"), "a=b+c");
    const std::string headers = service->LastHeaders(L"get_captcha");
    EXPECT_NE(headers.find("Content-Type: application/x-www-form-urlencoded\n"), std::string::npos) << headers;
    EXPECT_NE(headers.find("User-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0; Maxthon)\n"),
              std::string::npos)
        << headers;
}

TEST_F(RateTransport, KeepsTheRawBodyBytes) {
    service->Canned(L"get_captcha", std::string("\xEF\xBB\xBFWarning\r\n{\"msg\":13}\0tail", 26));
    TRateThread client;
    ASSERT_TRUE(client.PostForm(service->BaseUrl() + kCaptchaPath));
    EXPECT_EQ(client.Response, std::string("\xEF\xBB\xBFWarning\r\n{\"msg\":13}\0tail", 26));
}

TEST_F(RateTransport, ErrorStatusesRedirectsTimeOutsAndRefusedConnectionsFail) {
    TRateThread client;
    service->Misbehave(L"get_captcha", L"error500");
    EXPECT_FALSE(client.PostForm(service->BaseUrl() + kCaptchaPath));
    service->Misbehave(L"get_captcha", L"redirect");
    EXPECT_FALSE(client.PostForm(service->BaseUrl() + kCaptchaPath));
    // The redirect was not followed: two requests so far.
    EXPECT_EQ(service->Hits(L"get_captcha"), 2);
    EXPECT_FALSE(client.PostForm(L"http://127.0.0.1:9/plugin/index.php?to=get_captcha"));
    EXPECT_TRUE(client.Response.empty());
    EXPECT_FALSE(client.PostForm(L"not an address"));
    EXPECT_TRUE(client.PostForm(service->BaseUrl() + kCaptchaPath));
}

TEST_F(RateTransport, AReplySlowerThanFiveSecondsFails) {
    service->Misbehave(L"get_captcha", L"slow");  // 6 s
    TRateThread client;
    const ULONGLONG start = GetTickCount64();
    EXPECT_FALSE(client.PostForm(service->BaseUrl() + kCaptchaPath));
    const ULONGLONG waited = GetTickCount64() - start;
    EXPECT_GE(waited, 4500u);
    EXPECT_LT(waited, 5900u);
}

TEST_F(RateTransport, GetUrlSendsNoBody) {
    TRateThread client;
    client.Params = {L"ignored=1"};
    ASSERT_TRUE(client.GetUrl(service->BaseUrl() + L"/__hits?op=nothing"));
    EXPECT_EQ(client.Response, "0");
    // The service answers only POST on its operations.
    EXPECT_FALSE(client.GetUrl(service->BaseUrl() + kCaptchaPath));
    EXPECT_EQ(service->Hits(L"get_captcha"), 0);
}

TEST_F(RateTransport, TheRunLoopAppendsTheKeyAndEmptiesParamsAfterEachRequest) {
    struct Seen {
        std::vector<std::wstring> urls;
        std::vector<size_t> paramsAtCall;
        std::vector<bool> lastOk;
        std::vector<std::string> responses;
    };
    auto seen = std::make_shared<Seen>();
    bool ended = false;
    auto thread = std::make_unique<TRateThread>();
    thread->Params = {L"comment_id=5", L"score=1"};
    thread->OnStep = [seen](TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params, std::wstring& url) {
        seen->urls.push_back(url);
        seen->paramsAtCall.push_back(params.size());
        seen->lastOk.push_back(lastOk);
        seen->responses.push_back(sender.Response);
        if (seen->urls.size() == 1) {
            url = RateOperationUrl(L"add_comment_ratings");
            return true;
        }
        if (seen->urls.size() == 2) {
            params.push_back(L"plug_id=1");
            url = RateOperationUrl(L"get_comments");
            return true;
        }
        return false;
    };
    thread->OnEnd = [&ended] { ended = true; };
    TRateThread::Start(std::move(thread));
    ASSERT_TRUE(PumpMessagesUntil([&] { return ended; }));

    ASSERT_EQ(seen->urls.size(), 3u);
    EXPECT_EQ(seen->urls[0], L"");
    EXPECT_EQ(seen->urls[1], RateOperationUrl(L"add_comment_ratings"));
    EXPECT_EQ(seen->paramsAtCall, (std::vector<size_t>{2, 0, 0}));
    EXPECT_EQ(seen->lastOk, (std::vector<bool>{true, true, true}));
    EXPECT_TRUE(seen->responses[0].empty());
    EXPECT_EQ(seen->responses[1], "{\"msg\":0}");  // no such review
    EXPECT_EQ(service->LastBody(L"add_comment_ratings"), "comment_id=5&score=1&key=" + SentKey(L"get_comments"));
    EXPECT_EQ(service->LastBody(L"get_comments"), "plug_id=1&key=" + SentKey(L"get_comments"));
    EXPECT_EQ(service->Hits(L"get_captcha"), 1);
}

TEST_F(RateTransport, WithoutAStepTheThreadEndsAtOnce) {
    bool ended = false;
    auto thread = std::make_unique<TRateThread>();
    thread->OnEnd = [&ended] { ended = true; };
    TRateThread::Start(std::move(thread));
    ASSERT_TRUE(PumpMessagesUntil([&] { return ended; }));
    EXPECT_EQ(service->Hits(L"get_captcha"), 0);
}
