// The reviews window's drawing-free rules: where an entry's parts and links
// go at every DPI and with long link texts, how high an entry is (with the
// real fonts and the same wrapping as its paint), which link a point hits,
// the star input's preview and choice, and the histogram's bar widths.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "ui/ImgModule.h"
#include "ui/ReviewLayout.h"
#include "ui/ReviewListPainter.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixListView.h"
#include "ui/toolkit/ToolkitTestSupport.h"

namespace {

std::array<LONG, 4> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

// Link texts as wide as the English ones.
constexpr TLinkTextWidths kShortLinks = {20, 32, 30};

TEST(ReviewEntryParts, TakeTheirPlacesFromTheEntryAndItsLastTwoHundredPixels) {
    const RECT entry = {0, 100, 728, 160};
    const TReviewEntryParts p = ReviewEntryParts(entry, kShortLinks, 96);
    EXPECT_EQ(Corners(p.Nickname), Corners({0, 110, 120, 127}));
    EXPECT_EQ(Corners(p.Date), Corners({0, 130, 120, 147}));
    EXPECT_EQ(Corners(p.Stars[0]), Corners({130, 102, 145, 117}));
    EXPECT_EQ(Corners(p.Stars[4]), Corners({198, 102, 213, 117}));
    EXPECT_EQ(Corners(p.Content), Corners({130, 120, 528, 160}));
    // x0 = R - 200: the three links 50 pixels wide, 10 apart.
    EXPECT_EQ(Corners(p.LikeRect), Corners({533, 120, 583, 136}));
    EXPECT_EQ(Corners(p.DislikeRect), Corners({593, 120, 643, 136}));
    EXPECT_EQ(Corners(p.ReportRect), Corners({653, 120, 703, 138}));
    EXPECT_EQ(Corners(p.LikeIcon), Corners({533, 120, 549, 136}));
    EXPECT_EQ(p.LikeText.left, 551);
    EXPECT_EQ(ReviewContentWidth(728, kShortLinks, 96), 398);

    // Twice the DPI: offsets double, the entry is already in pixels.
    const TReviewEntryParts big = ReviewEntryParts({0, 200, 1456, 320}, {40, 64, 60}, 192);
    EXPECT_EQ(Corners(big.LikeRect), Corners({1066, 240, 1166, 272}));
    EXPECT_EQ(big.Content.left, 260);
    EXPECT_EQ(big.Content.right, 1056);
}

TEST(ReviewEntryParts, LongLinkTextsWidenTheirBoxesAndNarrowTheContent) {
    // "Gefällt mir", "Gefällt mir nicht", "Melden" as wide as they might draw.
    const TLinkTextWidths german = {55, 85, 36};
    const TReviewEntryParts p = ReviewEntryParts({0, 0, 728, 60}, german, 96);
    EXPECT_EQ(p.LikeRect.right - p.LikeRect.left, 18 + 55);
    EXPECT_EQ(p.DislikeRect.right - p.DislikeRect.left, 18 + 85);
    EXPECT_EQ(p.ReportRect.right - p.ReportRect.left, 18 + 36);
    // Side by side without overlapping, the last one inside the entry.
    EXPECT_EQ(p.DislikeRect.left, p.LikeRect.right + 10);
    EXPECT_EQ(p.ReportRect.left, p.DislikeRect.right + 10);
    EXPECT_EQ(p.ReportRect.right, 728 - 25);
    EXPECT_EQ(p.Content.right, p.LikeRect.left - 5);
    EXPECT_EQ(ReviewContentWidth(728, german, 96), p.Content.right - p.Content.left);

    // Absurd texts still leave the content a hundred pixels.
    const TReviewEntryParts narrow = ReviewEntryParts({0, 0, 400, 60}, {900, 900, 900}, 96);
    EXPECT_EQ(narrow.Content.right - narrow.Content.left, 100);
}

TEST(ReviewEntryHeight, IsWhatTheContentNeedsBetweenSixtyAndTwoHundredTwenty) {
    EXPECT_EQ(ReviewEntryHeight(0), 60);
    EXPECT_EQ(ReviewEntryHeight(13), 60);
    EXPECT_EQ(ReviewEntryHeight(-5), 60);
    EXPECT_EQ(ReviewEntryHeight(39), 67);
    EXPECT_EQ(ReviewEntryHeight(192), 220);
    EXPECT_EQ(ReviewEntryHeight(5000), 220);
}

TEST(ReviewLinks, AClickActsOnlyOnLinksNotYetAnsweredButTheHandShowsOverAll) {
    TItemData entry(7, L"n", L"c", 4, L"d");
    const TReviewEntryParts p = ReviewEntryParts({0, 0, 728, 60}, kShortLinks, 96);
    entry.LikeRect = p.LikeRect;
    entry.DislikeRect = p.DislikeRect;
    entry.ReportRect = p.ReportRect;
    const POINT like = {p.LikeRect.left, p.LikeRect.top};
    const POINT dislike = {p.DislikeRect.right - 1, p.DislikeRect.bottom - 1};
    const POINT report = {p.ReportRect.left + 3, p.ReportRect.bottom - 1};
    const POINT between = {p.LikeRect.right, p.LikeRect.top + 2};
    EXPECT_EQ(ClickedReviewLink(entry, like), TReviewLink::Like);
    EXPECT_EQ(ClickedReviewLink(entry, dislike), TReviewLink::Dislike);
    EXPECT_EQ(ClickedReviewLink(entry, report), TReviewLink::Report);
    EXPECT_EQ(ClickedReviewLink(entry, between), TReviewLink::None);
    EXPECT_FALSE(OverReviewLink(entry, between));

    entry.Judged = true;
    EXPECT_EQ(ClickedReviewLink(entry, like), TReviewLink::None);
    EXPECT_EQ(ClickedReviewLink(entry, dislike), TReviewLink::None);
    EXPECT_EQ(ClickedReviewLink(entry, report), TReviewLink::Report);
    entry.Reported = true;
    EXPECT_EQ(ClickedReviewLink(entry, report), TReviewLink::None);
    for (const POINT point : {like, dislike, report}) EXPECT_TRUE(OverReviewLink(entry, point));
}

TEST(StarInput, PreviewsUnderTheMouseAndChoosesOneToFiveAcrossTheBox) {
    EXPECT_EQ(StarInputScore(0), 1);
    EXPECT_EQ(StarInputScore(20), 1);
    EXPECT_EQ(StarInputScore(21), 2);
    EXPECT_EQ(StarInputScore(62), 3);
    EXPECT_EQ(StarInputScore(104), 5);
    EXPECT_EQ(StarInputScore(400), 5);
    EXPECT_EQ(StarInputLitStars(std::nullopt, 0), 0);
    EXPECT_EQ(StarInputLitStars(std::nullopt, 3), 3);
    EXPECT_EQ(StarInputLitStars(0, 4), 1);
    EXPECT_EQ(StarInputLitStars(90, 2), 5);
}

TEST(HistogramFillWidth, IsTheShareOfTheLargestCountTruncated) {
    EXPECT_EQ(HistogramFillWidth(3, 6, 92), 46);
    EXPECT_EQ(HistogramFillWidth(1, 3, 92), 30);
    EXPECT_EQ(HistogramFillWidth(6, 6, 92), 92);
    EXPECT_EQ(HistogramFillWidth(0, 0, 92), 0);
    EXPECT_EQ(HistogramFillWidth(-4, 6, 92), 0);
    // Counts no review list can have do not overflow or overfill.
    EXPECT_EQ(HistogramFillWidth(2000000000, 2000000000, 92), 92);
    EXPECT_EQ(HistogramFillWidth(1000000000, 2000000000, 92), 46);
    EXPECT_EQ(HistogramFillWidth(9, 3, 92), 92);
}

// The painter's measure with the window's real font: a list as wide as the
// reviews window's.
class EntryHeights : public ::testing::Test {
protected:
    void SetUp() override {
        TOrixForm::CreateArgs args;
        args.caption = L"Reviews";
        args.clientWidth = 750;
        args.clientHeight = 480;
        args.position = POINT{40, 40};
        ASSERT_TRUE(form.Create(args));
        TOrixListView::CreateArgs list;
        list.bounds = {5, 178, 740, 298};
        list.rowHeight = 32;
        view = &form.Add<TOrixListView>(list);
        view->SetScrollBarSkin(ImgModule().ScrollBarSkin());
        painter = std::make_unique<TReviewListPainter>(*view);
    }

    int Height(const std::wstring& content) { return painter->EntryHeight(TItemData(1, L"n", content, 3, L"d")); }

    // The content's lines as the paint wraps them, in pixels.
    int WrappedHeight(const std::wstring& content, int width) {
        const UniqueDc dc(CreateCompatibleDC(nullptr));
        const SelectedObject font(dc.get(), form.Font().Handle(96));
        RECT rect = {0, 0, width, 0};
        DrawTextW(dc.get(), content.c_str(), static_cast<int>(content.size()), &rect,
                  DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX | DT_CALCRECT);
        EXPECT_LE(rect.right, width) << "no line wider than the content";
        return rect.bottom;
    }

    TOrixForm form;
    TOrixListView* view = nullptr;
    std::unique_ptr<TReviewListPainter> painter;
};

TEST_F(EntryHeights, FollowTheWrappedTextWithinTheirLimits) {
    const int width = painter->PartsOf(-1).Content.right - painter->PartsOf(-1).Content.left;
    ASSERT_GT(width, 300);
    EXPECT_EQ(Height(L"Does exactly what it says."), 60);
    EXPECT_EQ(Height(L""), 60);

    // Six short lines: as high as they wrap, with room under the last.
    const std::wstring six = L"1\r\n2\r\n3\r\n4\r\n5\r\n6";
    EXPECT_EQ(Height(six), 20 + WrappedHeight(six, width) + 1 + 8);

    // A 5 000-character word is broken into lines no wider than the content
    // and the entry stops at 220.
    const std::wstring word(5000, L'w');
    EXPECT_GT(WrappedHeight(word, width), 220);
    EXPECT_EQ(Height(word), 220);

    // Prose long enough for more lines than 220 pixels show.
    std::wstring prose;
    for (int i = 0; i < 60; ++i) prose += L"Funktioniert gut, aber die Einstellungen sind schwer zu finden. ";
    EXPECT_EQ(Height(prose), 220);
}

}  // namespace
