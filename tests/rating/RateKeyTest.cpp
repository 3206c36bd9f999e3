// The key holder with real workers against the loopback service.
#include "rating/RatingFixture.h"

#include <atomic>

#include "net/rating/ReviewConversations.h"

namespace {

class RateKey : public RatingServiceTest {};

}  // namespace

TEST_F(RateKey, TwoWorkersStartingTogetherShareOneKeyRequest) {
    service->Control(L"/__misbehave?op=get_captcha&mode=slow&ms=300");
    RecordingWindow first, second;
    StartJudgeConversation(1, 1, first.target, first.EndMark());
    StartCommentsConversation(L"1", 0, 0, second.target, second.EndMark());
    ASSERT_TRUE(first.WaitForEnd());
    ASSERT_TRUE(second.WaitForEnd());
    EXPECT_EQ(service->Hits(L"get_captcha"), 1);
    // The key request has an empty body; both requests carry the one key last.
    EXPECT_EQ(service->LastBody(L"get_captcha"), "");
    const std::string key = SentKey(L"add_comment_ratings");
    EXPECT_EQ(key.size(), 16u);
    EXPECT_EQ(SentKey(L"get_comments"), key);
    EXPECT_EQ(service->LastBody(L"get_comments"), "plug_id=1&sort_type=0&start_id=0&key=" + key);
}

TEST_F(RateKey, AKeyIsFetchedAgainOnceItsLifetimeHasPassed) {
    auto now = std::make_shared<std::atomic<std::uint64_t>>(5'000'000);
    RateSession().SetClock([now] { return now->load(); });
    RecordingWindow window;
    StartJudgeConversation(1, 1, window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    const std::string firstKey = SentKey(L"add_comment_ratings");

    *now += 598'000;
    window.ended = false;
    StartJudgeConversation(1, 1, window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(service->Hits(L"get_captcha"), 1);
    EXPECT_EQ(SentKey(L"add_comment_ratings"), firstKey);

    *now += 1'000;  // 599 s
    window.ended = false;
    StartJudgeConversation(1, 1, window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(service->Hits(L"get_captcha"), 2);
    EXPECT_NE(SentKey(L"add_comment_ratings"), firstKey);
}

TEST_F(RateKey, AFailedKeyRequestStillSendsAnEmptyKeyAndTheServiceRefuses) {
    service->Misbehave(L"get_captcha", L"error500");
    RecordingWindow window;
    StartJudgeConversation(7, 2, window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(service->LastBody(L"add_comment_ratings"), "comment_id=7&score=2&key=");
    EXPECT_EQ(window.events, (std::vector<std::wstring>{L"code:0:7", L"end"}));
}

TEST_F(RateKey, AKeyTheServiceNoLongerAcceptsIsAnsweredWithCodeZero) {
    ASSERT_GT(service->AddPlug(1, L"judged", L"5"), 0);  // review 1
    RecordingWindow window;
    StartJudgeConversation(1, 1, window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(window.events, (std::vector<std::wstring>{L"code:8:1", L"end"}));
    service->Control(L"/__expire_keys");
    window.events.clear();
    window.ended = false;
    StartJudgeConversation(1, 1, window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(window.events, (std::vector<std::wstring>{L"code:0:1", L"end"}));
    EXPECT_EQ(service->Hits(L"get_captcha"), 1);
}
