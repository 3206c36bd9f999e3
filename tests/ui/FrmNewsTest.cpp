// The news window through a stand-in browser that completes its navigation
// on request: the size from the page, the place at the bottom right of the
// work area after the slide, the fade and the reuse of the one window; and
// NewsDone's choice of which message numbers are shown and stored.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "support/MessagePump.h"
#include "ui/BrivoNews.h"
#include "ui/FrmNews.h"

namespace {

struct FakeState {
    std::vector<std::wstring> navigated;
    RECT bounds{};
    bool hasBody = true;
    HWND parent = nullptr;
    INewsBrowser* browser = nullptr;
};

FakeState& Fake() {
    static FakeState state;
    return state;
}

class FakeBrowser : public INewsBrowser {
public:
    bool Create(HWND parent) override {
        Fake().parent = parent;
        Fake().browser = this;
        return true;
    }
    void Navigate(const std::wstring& url) override { Fake().navigated.push_back(url); }
    void SetBounds(const RECT& bounds) override { Fake().bounds = bounds; }
    bool StyleBody() override { return Fake().hasBody; }
};

RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

void CompleteNavigation() {
    ASSERT_NE(Fake().browser, nullptr);
    ASSERT_TRUE(Fake().browser->OnDocumentComplete);
    Fake().browser->OnDocumentComplete();
}

class NewsWindow : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetNewsBrowserFactory([] { return std::make_unique<FakeBrowser>(); });
    }
    void SetUp() override {
        Fake().navigated.clear();
        Fake().hasBody = true;
        if (TFrmNews::Exists()) TFrmNews::Instance().Close();
    }
};

TEST_F(NewsWindow, ANewMessageSlidesInAtTheBottomRightRestsAndFadesOut) {
    ShowNewsMessage(L"http://news.test/msg.html", 400, 300);
    TFrmNews& news = TFrmNews::Instance();
    const HWND window = news.Handle();
    ASSERT_TRUE(window);
    EXPECT_EQ(Fake().navigated, std::vector<std::wstring>{L"http://news.test/msg.html"});
    EXPECT_EQ(news.Caption(), L"Newsletter");
    // Loading: placed below the work area and not shown yet.
    const RECT work = WorkArea();
    RECT r = WindowRect(window);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_EQ(r.right - r.left, 402);
    EXPECT_EQ(r.bottom - r.top, 326);
    EXPECT_EQ(r.left, work.right - 402 - 10);
    EXPECT_EQ(r.top, work.bottom + 326);

    CompleteNavigation();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(news.Sliding());
    EXPECT_EQ(Fake().bounds.left, 1);
    EXPECT_EQ(Fake().bounds.top, 26);
    EXPECT_EQ(Fake().bounds.right - Fake().bounds.left, 400);
    EXPECT_EQ(Fake().bounds.bottom - Fake().bounds.top, 299);
    // The slide is not a jump: after a few ticks the window is on its way.
    PumpMessagesFor(300);
    r = WindowRect(window);
    EXPECT_LT(r.top, work.bottom + 326);
    EXPECT_GT(r.top, work.bottom - 326);
    ASSERT_TRUE(PumpMessagesUntil([&] { return !news.Sliding(); }, 10000));
    r = WindowRect(window);
    EXPECT_EQ(r.top, work.bottom - 326);
    EXPECT_EQ(r.left, work.right - 412);
    EXPECT_TRUE(news.Resting());
    EXPECT_EQ(news.Alpha(), 255);

    // The rest of a minute is the fade timer's first tick; the fade then
    // lowers the alpha by 10 a tick and closes the window at 5.
    int ticks = 0;
    while (IsWindowVisible(window) && ticks < 100) {
        news.FadeTick();
        ++ticks;
    }
    EXPECT_EQ(ticks, 25);
    EXPECT_EQ(news.Alpha(), 5);
    EXPECT_FALSE(IsWindowVisible(window));
}

TEST_F(NewsWindow, APageWithoutBodyClosesTheWindowBeforeItShows) {
    Fake().hasBody = false;
    ShowNewsMessage(L"http://news.test/empty.html", 400, 300);
    const HWND window = TFrmNews::Instance().Handle();
    CompleteNavigation();
    PumpMessagesFor(200);
    EXPECT_FALSE(IsWindowVisible(window));
    EXPECT_FALSE(TFrmNews::Instance().Sliding());
}

TEST_F(NewsWindow, OneSizeAloneKeepsTheSizeAndTheWindowIsReused) {
    ShowNewsMessage(L"http://news.test/a.html", 300, 200);
    const HWND window = TFrmNews::Instance().Handle();
    RECT r = WindowRect(window);
    EXPECT_EQ(r.right - r.left, 302);
    EXPECT_EQ(r.bottom - r.top, 226);
    CompleteNavigation();
    TFrmNews::Instance().Close();

    ShowNewsMessage(L"http://news.test/b.html", 640, 0);
    EXPECT_EQ(TFrmNews::Instance().Handle(), window);
    r = WindowRect(window);
    EXPECT_EQ(r.right - r.left, 302);
    EXPECT_EQ(r.bottom - r.top, 226);
    EXPECT_EQ(Fake().navigated.back(), L"http://news.test/b.html");
    // Closed while it rested, it slides in again for the next message.
    CompleteNavigation();
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_TRUE(TFrmNews::Instance().Sliding());
    ASSERT_TRUE(PumpMessagesUntil([] { return !TFrmNews::Instance().Sliding(); }, 10000));
    EXPECT_EQ(WindowRect(window).top, WorkArea().bottom - 226);
}

TEST_F(NewsWindow, OnlyANewPositiveNumberWithAWebAddressIsShownAndEveryNewNumberIsStored) {
    int msgId = 7;
    NewsDone(msgId, L"http://news.test/seven.html", 7, 0, 0);
    EXPECT_EQ(msgId, 7);
    NewsDone(msgId, L"http://news.test/zero.html", 0, 0, 0);
    NewsDone(msgId, L"http://news.test/minus.html", -3, 0, 0);
    EXPECT_EQ(msgId, 7);
    EXPECT_TRUE(Fake().navigated.empty());

    NewsDone(msgId, L"http://news.test/eight.html", 8, 0, 0);
    EXPECT_EQ(msgId, 8);
    EXPECT_EQ(Fake().navigated, std::vector<std::wstring>{L"http://news.test/eight.html"});
    NewsDone(msgId, L"http://news.test/eight.html", 8, 0, 0);
    EXPECT_EQ(Fake().navigated.size(), 1u);

    // A page that is no web address is never shown, but its number counts
    // as offered.
    for (const wchar_t* local : {L"file:///C:/Windows/win.ini", L"C:\\Windows\\win.ini", L"javascript:1"}) {
        NewsDone(msgId, local, msgId + 1, 0, 0);
    }
    EXPECT_EQ(msgId, 11);
    EXPECT_EQ(Fake().navigated.size(), 1u);
}

}  // namespace
