// The reviews window's four conversations, from real workers against the
// loopback service (pages of three reviews).
#include "rating/RatingFixture.h"

#include "net/rating/ReviewConversations.h"

namespace {

class ReviewConversations : public RatingServiceTest {
protected:
    static TReviewedAddon Addon(const std::wstring& id, int browser = 2) {
        return {browser, id, L"Kestrel Weather Bar", L"Weather in the tool bar", L"2.1"};
    }
    using Events = std::vector<std::wstring>;
};

}  // namespace

TEST_F(ReviewConversations, OpeningAKnownAddonAppliesItsInformationThenListsTheFirstPage) {
    const int sid = service->AddPlug(2, L"{KESTREL}", L"5,4,4,1", L"0,3,1,0");
    RecordingWindow window;
    StartOpeningConversation(Addon(L"{kestrel}"), window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    const std::wstring id = std::to_wstring(sid);
    EXPECT_EQ(window.events, (Events{L"failed:0", L"info:" + id + L":350,1,0,0,2,1", L"failed:0",
                                     L"reviews:3:more:4reviewer 1:4reviewer 2:5reviewer 0", L"end"}));
    EXPECT_EQ(service->LastBody(L"get_plug_info"),
              "browser_id=2&sort_type=0&plug_id=%7Bkestrel%7D&key=" + SentKey(L"get_plug_info"));
    EXPECT_EQ(service->LastBody(L"get_comments"),
              "plug_id=" + std::to_string(sid) + "&start_id=0&sort_type=0&key=" + SentKey(L"get_comments"));
    EXPECT_EQ(service->Hits(L"add_plug"), 0);
}

TEST_F(ReviewConversations, OpeningAnUnknownAddonRegistersItFirst) {
    RecordingWindow window;
    StartOpeningConversation(Addon(L"{NEW}"), window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    ASSERT_EQ(window.events.size(), 6u);
    EXPECT_EQ(window.events[0], L"failed:0");
    EXPECT_EQ(window.events[1], L"failed:0");
    EXPECT_EQ(window.events[2].substr(0, 5), L"info:");
    EXPECT_EQ(window.events[3], L"failed:0");
    // No reviews yet: code 5 with an empty list, no further page.
    EXPECT_EQ(window.events[4], L"reviews:0:last");
    EXPECT_EQ(service->LastBody(L"add_plug"),
              "browser_id=2&name=Kestrel+Weather+Bar&introduction=Weather+in+the+tool+bar&plug_id=%7BNEW%7D&key=" +
                  SentKey(L"add_plug"));
}

TEST_F(ReviewConversations, OpeningFailuresSetTheMarkAndCodeZeroIsReported) {
    {
        service->Misbehave(L"get_plug_info", L"garbage");
        RecordingWindow window;
        StartOpeningConversation(Addon(L"x"), window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        EXPECT_EQ(window.events, (Events{L"failed:0", L"failed:1", L"end"}));
    }
    {
        service->Misbehave(L"get_plug_info", L"code0");
        RecordingWindow window;
        StartOpeningConversation(Addon(L"x"), window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        EXPECT_EQ(window.events, (Events{L"failed:0", L"code:0:0", L"end"}));
    }
    {
        service->Misbehave(L"get_plug_info", L"bom");
        service->Misbehave(L"add_plug", L"trailing");
        RecordingWindow window;
        StartOpeningConversation(Addon(L"y"), window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        EXPECT_EQ(window.events.back(), L"end");
        EXPECT_EQ(window.events[window.events.size() - 2], L"reviews:0:last");
    }
    UseUnreachableService();
    RecordingWindow window;
    StartOpeningConversation(Addon(L"x"), window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(window.events, (Events{L"failed:1", L"end"}));
}

TEST_F(ReviewConversations, AFailedRequestIsNoAnswerEvenWhenItsBodyReadsAsOne) {
    // A server error over the add-on's well-formed information.
    service->AddPlug(2, L"{KESTREL}", L"5,4");
    service->Misbehave(L"get_plug_info", L"error500");
    RecordingWindow window;
    StartOpeningConversation(Addon(L"{kestrel}"), window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(window.events, (Events{L"failed:1", L"end"}));
    EXPECT_EQ(service->Hits(L"get_comments"), 0);
}

TEST_F(ReviewConversations, AddonInformationWithoutStarCountsStillAppliesTheIdAndTheAverage) {
    service->Canned(L"get_plug_info", "{\"msg\":1,\"id\":77,\"ratings_average\":4.5}");
    RecordingWindow window;
    StartOpeningConversation(Addon(L"{kestrel}"), window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    ASSERT_GE(window.events.size(), 3u);
    EXPECT_EQ(window.events[0], L"failed:0");
    EXPECT_EQ(window.events[1], L"info:77:450,0,0,0,0,0");
    EXPECT_EQ(service->LastBody(L"get_comments").rfind("plug_id=77&start_id=0&", 0), 0u)
        << service->LastBody(L"get_comments");
}

TEST_F(ReviewConversations, AServiceThatKeepsSayingUnknownDoesNotHoldTheConversationForever) {
    service->Canned(L"add_plug", "{\"msg\":2}", 0);
    RecordingWindow window;
    StartOpeningConversation(Addon(L"x"), window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(service->Hits(L"add_plug"), 1);
    EXPECT_EQ(window.events, (Events{L"failed:0", L"failed:0", L"code:2:0", L"end"}));
}

TEST_F(ReviewConversations, PagingHonoursTheStartAndBothSortOrders) {
    const int sid = service->AddPlug(1, L"paged", L"1,2,3,4,5", L"0,0,9,0,1");
    const std::wstring plug = std::to_wstring(sid);
    {
        RecordingWindow window;
        StartCommentsConversation(plug, 0, 3, window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        // Most useful first: 9 likes, 1, then the rest by id; the second page holds the last two.
        EXPECT_EQ(window.events, (Events{L"reviews:2:last:2reviewer 1:4reviewer 3", L"end"}));
        EXPECT_EQ(service->LastBody(L"get_comments"),
                  "plug_id=" + std::to_string(sid) + "&sort_type=0&start_id=3&key=" + SentKey(L"get_comments"));
    }
    {
        RecordingWindow window;
        StartCommentsConversation(plug, 1, 0, window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        // Newest first (dates 2026-05 .. 2026-01).
        EXPECT_EQ(window.events, (Events{L"reviews:3:more:5reviewer 4:4reviewer 3:3reviewer 2", L"end"}));
        ASSERT_EQ(window.lastReviews.size(), 3u);
        EXPECT_EQ(window.lastReviews[0].Date, L"2026-05-01");
        EXPECT_EQ(window.lastReviews[0].Content, L"review 4");
    }
    for (const wchar_t* mode : {L"error500", L"garbage"}) {
        service->Misbehave(L"get_comments", mode);
        RecordingWindow window;
        StartCommentsConversation(plug, 0, 0, window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        EXPECT_EQ(window.events, (Events{L"end"})) << mode;
    }
    service->Misbehave(L"get_comments", L"code0");
    RecordingWindow window;
    StartCommentsConversation(plug, 0, 0, window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(window.events, (Events{L"code:0:0", L"end"}));
}

TEST_F(ReviewConversations, PostingStoresOnceThenRefreshesTheCounts) {
    const int sid = service->AddPlug(2, L"{KESTREL}", L"3");
    const std::wstring plug = std::to_wstring(sid);
    const TOwnReview review{L"red cat", L"First line\r\nsecond ~ caf\u00e9", 5};
    {
        RecordingWindow window;
        StartAddCommentConversation(Addon(L"{KESTREL}"), plug, review, window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        // Review 2 stored; the refresh shows two reviews averaging 4.
        EXPECT_EQ(window.events, (Events{L"code:4:2", L"info:" + plug + L":400,0,0,1,0,1", L"end"}));
        EXPECT_EQ(service->LastBody(L"add_comment"),
                  "plug_id=" + std::to_string(sid) +
                      "&nickname=red+cat&content=First+line%0D%0Asecond+%7E+caf%C3%A9&ver=2.1&score=5&key=" +
                      SentKey(L"add_comment"));
        EXPECT_EQ(service->LastBody(L"get_plug_info"),
                  "browser_id=2&plug_id=%7BKESTREL%7D&key=" + SentKey(L"get_plug_info"));
    }
    {
        RecordingWindow window;
        StartAddCommentConversation(Addon(L"{KESTREL}"), plug, review, window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        EXPECT_EQ(window.events, (Events{L"code:11:0", L"end"}));
    }
    {
        RecordingWindow window;
        StartAddCommentConversation(Addon(L"{KESTREL}"), L"999", review, window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        EXPECT_EQ(window.events, (Events{L"code:3:0", L"end"}));
    }
    for (const wchar_t* mode : {L"error500", L"garbage"}) {
        service->Misbehave(L"add_comment", mode);
        RecordingWindow window;
        StartAddCommentConversation(Addon(L"{KESTREL}"), plug, review, window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        EXPECT_EQ(window.events, (Events{L"code:65535:0", L"end"})) << mode;
    }
    // Code 1 in answer to the post itself: the information is applied.
    service->Canned(L"add_comment", "{\"msg\":1,\"id\":\"77\",\"ratings_average\":2,\"ratings_cache\":{\"2\":1}}");
    RecordingWindow window;
    StartAddCommentConversation(Addon(L"{KESTREL}"), plug, review, window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(window.events, (Events{L"info:77:200,0,1,0,0,0", L"end"}));
}

TEST_F(ReviewConversations, JudgingReportsEachAnswerWithTheCommentId) {
    service->AddPlug(1, L"judged", L"4,2");  // reviews 1 and 2
    const struct {
        int comment, score;
        const wchar_t* event;
    } steps[] = {{1, 1, L"code:8:1"}, {1, 0, L"code:10:1"}, {1, 2, L"code:7:1"},
                 {1, 2, L"code:12:1"}, {2, 0, L"code:8:2"}};
    for (const auto& step : steps) {
        RecordingWindow window;
        StartJudgeConversation(step.comment, step.score, window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
        EXPECT_EQ(window.events, (Events{step.event, L"end"}));
    }
    EXPECT_EQ(service->LastBody(L"add_comment_ratings"), "comment_id=2&score=0&key=" + SentKey(L"add_comment_ratings"));
    service->Misbehave(L"add_comment_ratings", L"redirect");
    RecordingWindow window;
    StartJudgeConversation(123, 1, window.target, window.EndMark());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(window.events, (Events{L"code:65535:123", L"end"}));
    EXPECT_EQ(service->LastBody(L"add_comment_ratings"), "comment_id=123&score=1&key=" + SentKey(L"add_comment_ratings"));
}

TEST_F(ReviewConversations, AWindowClosedMidConversationReceivesNothing) {
    service->AddPlug(2, L"{SLOW}", L"5");
    service->Control(L"/__misbehave?op=get_plug_info&mode=slow&ms=300");
    service->Control(L"/__misbehave?op=add_comment_ratings&mode=slow&ms=300");
    auto window = std::make_unique<RecordingWindow>();
    bool ended = false;
    StartOpeningConversation(Addon(L"{SLOW}"), window->target, [&ended] { ended = true; });
    StartJudgeConversation(1, 1, window->target, [&ended] { ended = true; });
    PumpMessagesFor(50);
    window->Destroy();
    ASSERT_TRUE(PumpMessagesUntil([] { return service->Hits(L"get_comments") == 1; }, 5000));
    PumpMessagesFor(700);
    EXPECT_TRUE(window->events.empty());
    EXPECT_FALSE(ended);
}
