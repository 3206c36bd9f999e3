// The reviews window on its own thread, fed as its conversations feed it:
// pages keep exactly one paging entry at the end, the user's stored review
// goes first with today's date, answers mark the review they are about, plug
// information without counts changes nothing, and an opening that cannot
// reach the service ends in "PlugRatingError" without a window.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "UiLanguageTest.h"
#include "net/rating/RatingResult.h"
#include "ui/ImgModule.h"
#include "ui/OpenReviewsWindow.h"
#include "ui/toolkit/OrixLabel.h"
#include "ui/toolkit/ToolkitTestSupport.h"

namespace {

class ReviewedAdapter : public TBrowserAppBase {
public:
    ReviewedAdapter() {
        Kind = BrowserKind::Firefox;
        auto record = std::make_unique<TBrowserExtensionInfo>();
        record->Id = L"tabtamer@quietlabs.example";
        record->Name = L"Tab Tamer";
        record->Version = L"2.4";
        record->Description = L"Keeps tabs in order & <b>quiet</b>.";
        Extensions.push_back(std::move(record));
    }
    TBrowserExtensionInfo& Addon() { return *Extensions.front(); }
    void CloseBrowser() override {}
    bool IsBrowserRunning() override { return false; }
    bool RemoveExtension(TBrowserExtensionInfo*) override { return false; }
    bool ToggleExtension(TBrowserExtensionInfo*) override { return false; }
};

std::vector<TReviewEntry> Page(int firstId, int count) {
    std::vector<TReviewEntry> page;
    for (int i = 0; i < count; ++i)
        page.push_back({firstId + i, L"reviewer " + std::to_wstring(firstId + i), L"review text", 1 + i % 5, L"2026-01-01"});
    return page;
}

class ReviewsWindow : public UiLanguageTest {
protected:
    void SetUp() override {
        UiLanguageTest::SetUp();
        TOrixForm::CreateArgs args;
        args.caption = L"Main";
        args.clientWidth = 800;
        args.clientHeight = 500;
        args.position = POINT{20, 20};
        ASSERT_TRUE(owner.Create(args));
        window = std::make_unique<TfrmKoltRate>(adapter, adapter.Addon());
        ASSERT_TRUE(window->CreateReviewsWindow(&owner));
        window->PrepareForShow();
    }
    void TearDown() override {
        window.reset();
        ImgModule().MessageDialog().OnShown = nullptr;
        UiLanguageTest::TearDown();
    }

    // The entries' comment ids in list order; 0 for the paging entry.
    std::vector<int> Entries() {
        std::vector<int> ids;
        const TOrixListModel& rows = window->ReviewList().Rows();
        for (int i = 0; i < rows.Count(); ++i) {
            const auto* entry = rows.DataAs<TItemData>(i);
            ids.push_back(entry ? entry->CommentId : 0);
        }
        return ids;
    }
    TItemData& Entry(int index) { return *window->ReviewList().Rows().DataAs<TItemData>(index); }
    void Result(int code, int value) {
        SendMessageW(window->Handle(), WM_RATING_RESULT, static_cast<WPARAM>(code), static_cast<LPARAM>(value));
    }
    TOrixControl& Control(const wchar_t* name) {
        return *dynamic_cast<TOrixControl*>(window->FindComponent(name));
    }

    TOrixForm owner;
    ReviewedAdapter adapter;
    std::unique_ptr<TfrmKoltRate> window;
};

TEST_F(ReviewsWindow, PagesKeepOnePagingEntryAtTheEndAndTheLastPageNone) {
    window->FillReviews(Page(1, 3), true);
    window->FillReviews(Page(4, 3), true);
    window->FillReviews(Page(7, 3), true);
    EXPECT_EQ(Entries(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
    window->FillReviews({}, true);
    EXPECT_EQ(Entries(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 0}));
    window->FillReviews(Page(10, 2), false);
    EXPECT_EQ(Entries(), (std::vector<int>{1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11}));
    const TOrixListModel& rows = window->ReviewList().Rows();
    for (int i = 0; i < rows.Count(); ++i) EXPECT_EQ(rows.Height(i), 60) << "entry " << i;
    // The "Comment Now" link is only for an empty list.
    EXPECT_FALSE(Control(L"lblfirst").Visible());
}

TEST_F(ReviewsWindow, AnEmptyListOffersCommentNowWhichOpensMyReview) {
    window->FillReviews({}, false);
    auto& link = static_cast<TOrixLabel&>(Control(L"lblfirst"));
    EXPECT_TRUE(link.Visible());
    EXPECT_EQ(link.Caption(), L"Comment Now");
    link.OnClick(link);
    EXPECT_TRUE(window->MyReviewTabShown());
    EXPECT_FALSE(window->ReviewList().Visible());
}

TEST_F(ReviewsWindow, TheStoredOwnReviewGoesFirstWithTodaysDateAndSubmitStaysOff) {
    window->FillReviews(Page(1, 2), true);
    Result(RateCode::CommentStored, 77);
    ASSERT_EQ(Entries(), (std::vector<int>{77, 1, 2, 0}));
    wchar_t today[80] = {};
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, nullptr, nullptr, today, 80);
    EXPECT_EQ(Entry(0).Date, today);
    EXPECT_FALSE(window->MyReviewTabShown());
    EXPECT_FALSE(Control(L"btn1").Enabled());
}

TEST_F(ReviewsWindow, AnswersMarkTheReviewTheyAreAbout) {
    window->FillReviews(Page(5, 3), false);
    Result(RateCode::JudgementStored, 6);
    Result(RateCode::AlreadyReported, 7);
    Result(RateCode::ReportStored, 5);
    Result(RateCode::AlreadyJudged, 99);  // no such review here
    EXPECT_FALSE(Entry(0).Judged);
    EXPECT_TRUE(Entry(0).Reported);
    EXPECT_TRUE(Entry(1).Judged);
    EXPECT_FALSE(Entry(1).Reported);
    EXPECT_FALSE(Entry(2).Judged);
    EXPECT_TRUE(Entry(2).Reported);
    EXPECT_TRUE(Control(L"btn1").Enabled());
    Result(RateCode::AlreadyCommented, 0);
    EXPECT_FALSE(Control(L"btn1").Enabled());
}

TEST_F(ReviewsWindow, PlugInformationWithoutCountsChangesNothing) {
    TPlugInfo info;
    info.ServerPlugId = L"31";
    info.RatingsAverage = 3.5;
    info.StarCounts = {1, 0, 2, 4, 9};
    info.HasRatingsCache = true;
    window->ApplyPlugInfo(info);
    EXPECT_EQ(window->ServerPlugId(), L"31");
    EXPECT_DOUBLE_EQ(adapter.Addon().Rating, 3.5);
    // lbl4 .. lbl8 count the reviews of 5 .. 1 stars.
    EXPECT_EQ(Control(L"lbl4").Caption(), L"9");
    EXPECT_EQ(Control(L"lbl8").Caption(), L"1");

    TPlugInfo bare;
    bare.ServerPlugId = L"99";
    bare.RatingsAverage = 1.0;
    window->ApplyPlugInfo(bare);
    EXPECT_EQ(window->ServerPlugId(), L"31");
    EXPECT_EQ(window->StarCounts(), (std::array<int, 5>{1, 0, 2, 4, 9}));
    EXPECT_DOUBLE_EQ(adapter.Addon().Rating, 3.5);

    // An average no add-on can have is held to the five stars.
    info.RatingsAverage = 7.5;
    window->ApplyPlugInfo(info);
    EXPECT_DOUBLE_EQ(adapter.Addon().Rating, 5.0);
}

TEST_F(ReviewsWindow, OpeningWithTheServiceUnreachableEndsInTheMessageAndNoWindow) {
    window.reset();
    SetEnvironmentVariableW(L"BRIVO_RATING_URL", L"http://127.0.0.1:9");
    std::wstring shown;
    ImgModule().MessageDialog().OnShown = [&](TOrixForm& box) {
        for (size_t i = 0; i < box.ComponentCount(); ++i)
            if (auto* label = dynamic_cast<TOrixLabel*>(&box.Component(i))) shown += label->Caption();
        // Answered once its modal loop runs.
        PostMessageW(box.Handle(), WM_CLOSE, 0, 0);
    };
    owner.Show();
    const std::unique_ptr<TfrmKoltRate> loaded = LoadReviewsWindow(owner, adapter, adapter.Addon());
    SetEnvironmentVariableW(L"BRIVO_RATING_URL", nullptr);
    EXPECT_EQ(loaded, nullptr);
    EXPECT_NE(shown.find(L"Failed to get rating information."), std::wstring::npos) << "the box said: " << shown;
}

}  // namespace
