// The main window's batch rating request, from a real worker against the
// loopback service.
#include "rating/RatingFixture.h"

#include <algorithm>
#include <atomic>
#include <thread>

#include "net/rating/BatchRatingStep.h"

namespace {

class BatchRating : public RatingServiceTest {
protected:
    void Run(TestAdapter& adapter, RecordingWindow& window) {
        StartBatchRating(adapter, window.target, window.EndMark());
        ASSERT_TRUE(window.WaitForEnd());
    }
};

}  // namespace

TEST_F(BatchRating, SendsTheHandBuiltIdListAndDeliversEachRatingThenTheEndCode) {
    TestAdapter adapter(BrowserKind::ChromeFamily, {L"abc", L"{1}", L"unrated"});
    adapter.Extensions[2]->Rating = 1.5;
    service->Canned(L"get_plugs_rating", "msg=9\r\nABC=4.5,17\r\n{1}=3.75,2\r\n");
    RecordingWindow window;
    Run(adapter, window);

    EXPECT_EQ(service->LastBody(L"get_plugs_rating"),
              "browser_id=1&plug_ids_json=%5B%22abc%22%2C%22%7B1%7D%22%2C%22unrated%22%5D&key=" +
                  SentKey(L"get_plugs_rating"));
    EXPECT_EQ(window.events,
              (std::vector<std::wstring>{L"rating:45:abc", L"rating:37:{1}", L"code:65534:0", L"end"}));
    EXPECT_DOUBLE_EQ(adapter.Extensions[0]->Rating, 4.5);
    EXPECT_DOUBLE_EQ(adapter.Extensions[1]->Rating, 3.7);
    EXPECT_DOUBLE_EQ(adapter.Extensions[2]->Rating, 1.5);
    // Every delivery was handled on this (the user-interface) thread.
    for (const DWORD thread : window.handlerThreads) EXPECT_EQ(thread, GetCurrentThreadId());
}

TEST_F(BatchRating, ReadsTheServicesOwnLinesForKnownAddons) {
    service->AddPlug(3, L"tabtamer@quietlabs.example", L"5,4,4");  // 4.33
    service->AddPlug(3, L"{5B8E1C7A-3F2D-4E6A-9C41-2D7F0B6E8A13}", L"2");
    service->AddPlug(1, L"other-browser", L"5");
    TestAdapter adapter(BrowserKind::Firefox,
                        {L"tabtamer@quietlabs.example", L"{5b8e1c7a-3f2d-4e6a-9c41-2d7f0b6e8a13}", L"other-browser"});
    RecordingWindow window;
    Run(adapter, window);
    EXPECT_EQ(window.events,
              (std::vector<std::wstring>{L"rating:43:tabtamer@quietlabs.example",
                                         L"rating:20:{5b8e1c7a-3f2d-4e6a-9c41-2d7f0b6e8a13}", L"code:65534:0",
                                         L"end"}));
}

TEST_F(BatchRating, MissingEmptyAndNonNumericValuesLeaveTheRatingUnchanged) {
    TestAdapter adapter(BrowserKind::Opera, {L"missing", L"empty", L"word", L"four"});
    for (auto& record : adapter.Extensions) record->Rating = 2.5;
    service->Canned(L"get_plugs_rating", "msg=9\nempty=\nword=n/a,3\nfour=4\n");
    RecordingWindow window;
    Run(adapter, window);
    EXPECT_EQ(window.events, (std::vector<std::wstring>{L"rating:40:four", L"code:65534:0", L"end"}));
    EXPECT_DOUBLE_EQ(adapter.Extensions[0]->Rating, 2.5);
    EXPECT_DOUBLE_EQ(adapter.Extensions[1]->Rating, 2.5);
    EXPECT_DOUBLE_EQ(adapter.Extensions[2]->Rating, 2.5);
    EXPECT_DOUBLE_EQ(adapter.Extensions[3]->Rating, 4.0);
}

TEST_F(BatchRating, ReplyCodesOtherThanNineAndUnreadableRepliesArePostedOnce) {
    TestAdapter adapter(BrowserKind::InternetExplorer, {L"abc"});
    const struct {
        const wchar_t* mode;
        const char* canned;
        std::vector<std::wstring> events;
    } cases[] = {
        {L"code0", nullptr, {L"code:0:0", L"end"}},
        {L"json", nullptr, {L"code:65535:0", L"end"}},
        {L"garbage", nullptr, {L"code:65535:0", L"end"}},
        {nullptr, "abc=4.5\r\n", {L"code:65535:0", L"end"}},
        {nullptr, "msg=x9\r\nabc=4.5\r\n", {L"code:65535:0", L"end"}},
        {nullptr, "msg=12\r\nabc=4.5\r\n", {L"code:12:0", L"end"}},
    };
    for (const auto& c : cases) {
        if (c.mode) service->Misbehave(L"get_plugs_rating", c.mode);
        if (c.canned) service->Canned(L"get_plugs_rating", c.canned);
        RecordingWindow window;
        Run(adapter, window);
        EXPECT_EQ(window.events, c.events) << (c.mode ? c.mode : L"canned");
        EXPECT_DOUBLE_EQ(adapter.Extensions[0]->Rating, 0.0);
    }
}

TEST_F(BatchRating, ATransportFailureSendsNothingToTheWindow) {
    TestAdapter adapter(BrowserKind::ChromeFamily, {L"abc"});
    service->AddPlug(1, L"abc", L"5");
    for (const wchar_t* mode : {L"error500", L"redirect"}) {
        service->Misbehave(L"get_plugs_rating", mode);
        RecordingWindow window;
        Run(adapter, window);
        EXPECT_EQ(window.events, (std::vector<std::wstring>{L"end"})) << mode;
    }
    UseUnreachableService();
    RecordingWindow window;
    Run(adapter, window);
    EXPECT_EQ(window.events, (std::vector<std::wstring>{L"end"}));
    EXPECT_DOUBLE_EQ(adapter.Extensions[0]->Rating, 0.0);
}

TEST_F(BatchRating, ARecordRemovedWhileTheRequestRunsIsNotTouched) {
    TestAdapter adapter(BrowserKind::ChromeFamily, {L"first", L"removed", L"last"});
    service->Canned(L"get_plugs_rating", "msg=9\r\nfirst=1\r\nremoved=2\r\nlast=3\r\n", 1, 400);
    RecordingWindow window;
    StartBatchRating(adapter, window.target, window.EndMark());
    // The user removes the add-on while the worker waits for the reply.
    adapter.RemoveExtension(adapter.Extensions[1].get());
    ASSERT_TRUE(window.WaitForEnd());
    EXPECT_EQ(window.events, (std::vector<std::wstring>{L"rating:10:first", L"rating:30:last", L"code:65534:0", L"end"}));
}

TEST_F(BatchRating, AWindowDestroyedWhileTheRequestRunsReceivesNothing) {
    TestAdapter adapter(BrowserKind::ChromeFamily, {L"abc"});
    service->Canned(L"get_plugs_rating", "msg=9\r\nabc=4\r\n", 1, 300);
    auto window = std::make_unique<RecordingWindow>();
    bool ended = false;
    StartBatchRating(adapter, window->target, [&ended] { ended = true; });
    window->Destroy();
    PumpMessagesUntil([] { return service->Hits(L"get_plugs_rating") == 1; }, 5000);
    PumpMessagesFor(800);
    EXPECT_TRUE(window->events.empty());
    EXPECT_FALSE(ended);
    EXPECT_DOUBLE_EQ(adapter.Extensions[0]->Rating, 0.0);
}

TEST_F(BatchRating, ManyRatingsLeaveTheWindowsMessageLoopGoingBetweenRuns) {
    // 2000 ratings at 0.5 ms each keep the window busy for a second; messages
    // posted meanwhile must be handled between the ratings, not after all.
    std::vector<std::wstring> ids;
    std::string lines = "msg=9\r\n";
    for (int i = 0; i < 2000; ++i) {
        ids.push_back(L"addon" + std::to_wstring(i));
        lines += "addon" + std::to_string(i) + "=4.5\r\n";
    }
    TestAdapter adapter(BrowserKind::ChromeFamily, ids);
    service->Canned(L"get_plugs_rating", lines);
    RecordingWindow window;
    window.ratingCostMicroseconds = 500;
    const HWND handle = window.Handle();
    std::atomic<bool> stop{false};
    std::thread ticker([&] {
        while (!stop) {
            PostMessageW(handle, RecordingWindow::kTick, 0, 0);
            Sleep(20);
        }
    });
    StartBatchRating(adapter, window.target, window.EndMark());
    const bool ended = window.WaitForEnd(30000);
    stop = true;
    ticker.join();
    ASSERT_TRUE(ended);
    const auto first = std::find(window.events.begin(), window.events.end(), L"rating:45:addon0");
    const auto last = std::find(window.events.begin(), window.events.end(), L"rating:45:addon1999");
    ASSERT_NE(first, window.events.end());
    ASSERT_NE(last, window.events.end());
    EXPECT_EQ(last - first, 2000 - 1 + std::count(first, last, L"tick"));
    EXPECT_GE(std::count(first, last, L"tick"), 5) << "the ticks waited until every rating was handled";
}

// Run again by the test "rating_comma_locale" under LANG=de_DE.UTF-8, whose
// decimal separator is ",": the service writes ratings with a point all the
// same, and they must still arrive.
TEST_F(BatchRating, RatingsAreReadWithAPointWhateverTheRegionalSettings) {
    wchar_t separator[8] = {};
    GetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, separator, 8);
    wchar_t expected[8] = {};
    if (GetEnvironmentVariableW(L"BRIVO_EXPECTED_DECIMAL", expected, 8)) {
        ASSERT_STREQ(separator, expected) << "the test does not run under the locale it was meant for";
    }
    TestAdapter adapter(BrowserKind::ChromeFamily, {L"abc", L"comma", L"whole"});
    adapter.Extensions[1]->Rating = 1.0;
    service->Canned(L"get_plugs_rating", "msg=9\r\nABC=4.5,17\r\ncomma=3,5\r\nwhole=4\r\n");
    RecordingWindow window;
    Run(adapter, window);
    EXPECT_DOUBLE_EQ(adapter.Extensions[0]->Rating, 4.5);
    // "3,5" is 3 followed by ignored text, also under a comma locale.
    EXPECT_DOUBLE_EQ(adapter.Extensions[1]->Rating, 3.0);
    EXPECT_DOUBLE_EQ(adapter.Extensions[2]->Rating, 4.0);
}
