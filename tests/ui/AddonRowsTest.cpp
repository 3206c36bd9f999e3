// The drawing-free rules of the main window's add-on list: stars of a
// rating, where a row's parts go, which part a point hits, the name line and
// the key of the empty list's text.
#include <gtest/gtest.h>

#include "ui/AddonRows.h"

namespace {

using L = TStarLook;

std::array<LONG, 4> Corners(const RECT& r) { return {r.left, r.top, r.right, r.bottom}; }

struct StarsCase {
    double rating;
    std::array<TStarLook, 5> stars;
};

class RatingStarsTest : public ::testing::TestWithParam<StarsCase> {};

TEST_P(RatingStarsTest, LightWholeStarsThenOneHalfForAnyFraction) {
    EXPECT_EQ(RatingStars(GetParam().rating), GetParam().stars) << "rating " << GetParam().rating;
}

INSTANTIATE_TEST_SUITE_P(
    Ratings, RatingStarsTest,
    ::testing::Values(StarsCase{3.5, {L::Lit, L::Lit, L::Lit, L::Half, L::Grey}},
                      StarsCase{3.1, {L::Lit, L::Lit, L::Lit, L::Half, L::Grey}},
                      StarsCase{0.0, {L::Grey, L::Grey, L::Grey, L::Grey, L::Grey}},
                      StarsCase{5.0, {L::Lit, L::Lit, L::Lit, L::Lit, L::Lit}},
                      StarsCase{4.0, {L::Lit, L::Lit, L::Lit, L::Lit, L::Grey}},
                      StarsCase{0.1, {L::Half, L::Grey, L::Grey, L::Grey, L::Grey}},
                      StarsCase{4.9, {L::Lit, L::Lit, L::Lit, L::Lit, L::Half}},
                      // Out of range from a misbehaving service: never more than five, never negative.
                      StarsCase{7.5, {L::Lit, L::Lit, L::Lit, L::Lit, L::Lit}},
                      StarsCase{-2.0, {L::Grey, L::Grey, L::Grey, L::Grey, L::Grey}}));

TEST(RowParts, SitInTheMiddleAndRightColumnsAtEveryDpi) {
    // Middle column 398..518 as in a list 618 pixels wide, row at 140.
    const TRowParts at96 = RowParts(398, 518, 140, true, 96);
    EXPECT_EQ(Corners(at96.Rating), Corners({408, 157, 508, 192}));
    EXPECT_EQ(Corners(at96.Toggle), Corners({528, 166, 573, 184}));
    EXPECT_EQ(Corners(at96.Delete), Corners({578, 165, 596, 183}));

    // Twice the DPI: offsets double, the column edges are already pixels.
    const TRowParts at192 = RowParts(796, 1036, 280, true, 192);
    EXPECT_EQ(at192.Toggle.left, 1036 + 20);
    EXPECT_EQ(at192.Toggle.right - at192.Toggle.left, 90);
    EXPECT_EQ(at192.Delete.bottom - at192.Delete.top, 36);

    const TRowParts noSwitch = RowParts(398, 518, 0, false, 96);
    EXPECT_TRUE(IsRectEmpty(&noSwitch.Toggle));
    EXPECT_FALSE(IsRectEmpty(&noSwitch.Delete));
}

TEST(RowAreaAt, FindsThePartUnderThePointWithRightAndBottomEdgesOutside) {
    TRowHitAreas row(nullptr);
    row.RatingRect = {408, 17, 508, 52};
    row.ToggleRect = {528, 26, 573, 44};
    row.DeleteRect = {578, 25, 596, 43};
    EXPECT_EQ(RowAreaAt(row, {408, 17}), TRowArea::Rating);
    EXPECT_EQ(RowAreaAt(row, {507, 51}), TRowArea::Rating);
    EXPECT_EQ(RowAreaAt(row, {508, 30}), TRowArea::None);
    EXPECT_EQ(RowAreaAt(row, {550, 35}), TRowArea::Toggle);
    EXPECT_EQ(RowAreaAt(row, {573, 35}), TRowArea::None);
    EXPECT_EQ(RowAreaAt(row, {578, 25}), TRowArea::Delete);
    EXPECT_EQ(RowAreaAt(row, {590, 43}), TRowArea::None);
    EXPECT_EQ(RowAreaAt(row, {100, 30}), TRowArea::None);

    // Parts drawn over each other (a very narrow middle column): delete wins,
    // then the switch.
    row.ToggleRect = {570, 20, 600, 50};
    row.RatingRect = {560, 20, 600, 50};
    EXPECT_EQ(RowAreaAt(row, {580, 30}), TRowArea::Delete);
    EXPECT_EQ(RowAreaAt(row, {572, 30}), TRowArea::Toggle);
    EXPECT_EQ(RowAreaAt(row, {565, 30}), TRowArea::Rating);

    // A row without a switch: its empty rectangle is never hit.
    row.ToggleRect = {};
    EXPECT_EQ(RowAreaAt(row, {0, 0}), TRowArea::None);
}

TEST(RowNameText, ShowsTheIdForANamelessAddonAndMarksNative64BitOnes) {
    TBrowserExtensionInfo addon;
    addon.Id = L"{1FD49718-1D00-4B19-AF5F-070AF6D5D54C}";
    EXPECT_EQ(RowNameText(addon, false), addon.Id);
    addon.Name = L"Flash-Player Ünicode";
    EXPECT_EQ(RowNameText(addon, true), L"Flash-Player Ünicode");
    addon.NativeView = 1;
    EXPECT_EQ(RowNameText(addon, true), L"Flash-Player Ünicode (64)");
    EXPECT_EQ(RowNameText(addon, false), L"Flash-Player Ünicode");
    addon.Name.clear();
    EXPECT_EQ(RowNameText(addon, true), addon.Id + L" (64)");
}

TEST(EmptyListKey, DependsOnTheBrowserFamilyAndTheKindTab) {
    EXPECT_EQ(EmptyListKey(false, BrowserKind::None, 0), L"NONEPLUGIN");
    EXPECT_EQ(EmptyListKey(true, BrowserKind::InternetExplorer, 0), L"NONEPLUGIN0_0");
    EXPECT_EQ(EmptyListKey(true, BrowserKind::InternetExplorer, 4), L"NONEPLUGIN0_4");
    EXPECT_EQ(EmptyListKey(true, BrowserKind::ChromeFamily, 1), L"NONEPLUGIN1_1");
    EXPECT_EQ(EmptyListKey(true, BrowserKind::Opera, 2), L"NONEPLUGIN1_2");
    EXPECT_EQ(EmptyListKey(true, BrowserKind::Firefox, 0), L"NONEPLUGIN1_0");
}

}  // namespace
