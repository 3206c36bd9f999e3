// The main window's column of browser buttons and its header row at the
// design size (801 x 496) and the smallest window (500 x 400).
#include "ui/MainWindowLayout.h"

#include <gtest/gtest.h>

namespace {

// The banner's top at a window height: 372 at 496, anchored to the bottom.
int BannerTop(int height) { return height - (496 - 372); }

TEST(BrowserColumn, ButtonsShareTheRoomAboveTheBannerAndStayReadable) {
    for (int height : {496, 400}) {
        for (int count = 1; count <= 7; ++count) {
            SCOPED_TRACE(testing::Message() << count << " buttons, window height " << height);
            const int h = BrowserButtonHeight(count, BannerTop(height));
            EXPECT_LE(h, kBrowserButtonHeight);
            EXPECT_GE(h, kMinBrowserButtonHeight);
            EXPECT_LE(kBrowserColumnTop + count * h, BannerTop(height) - kBannerGap) << "the last one ends above the banner";
            const TBrowserButtonFace face = BrowserButtonFace(h);
            EXPECT_GE(face.iconTop, 0);
            EXPECT_LE(face.iconTop + face.iconSize, h) << "the icon fits";
            EXPECT_LE(face.markTop + 13, h) << "the mark's line fits";
            if (face.captionTop >= 0) {
                EXPECT_GE(face.markTop, face.captionTop + 13) << "two lines, not one over the other";
            }
        }
    }
    // Up to five keep their full height at the design size, four even at the smallest.
    EXPECT_EQ(BrowserButtonHeight(5, BannerTop(496)), 50);
    EXPECT_EQ(BrowserButtonHeight(4, BannerTop(400)), 50);
    EXPECT_EQ(BrowserButtonHeight(7, BannerTop(400)), 35);
    EXPECT_EQ(BrowserButtonHeight(0, BannerTop(400)), 50);
}

TEST(BrowserColumn, AFullButtonKeepsItsLookAndALowerOneGoesOnTwoLines) {
    const TBrowserButtonFace full = BrowserButtonFace(50);
    EXPECT_EQ(full.iconTop, 9);
    EXPECT_EQ(full.iconSize, 32);
    EXPECT_LT(full.captionTop, 0) << "centred";
    EXPECT_EQ(full.markTop, 35);
    const TBrowserButtonFace low = BrowserButtonFace(35);
    EXPECT_GE(low.captionTop, 0);
    EXPECT_LT(low.iconSize, 32);
}

TEST(ProfileHeader, TheDropDownStandsLeftOfTheLinkAndTheCountGivesWay) {
    // "Set as default browser" is about 115 pixels wide in English.
    const TProfileHeader wide = ProfileHeaderLayout(801, 115);
    EXPECT_EQ(wide.comboLeft + wide.comboWidth, 801 - 10 - 115 - 10);
    EXPECT_EQ(wide.comboWidth, 170);
    EXPECT_EQ(wide.countWidth, 223) << "all the room the count had";

    const TProfileHeader narrow = ProfileHeaderLayout(500, 115);
    EXPECT_EQ(narrow.comboLeft + narrow.comboWidth, 500 - 10 - 115 - 10);
    EXPECT_GE(narrow.comboWidth, 90);
    EXPECT_GE(narrow.comboLeft, 183) << "never over the side panel";
    EXPECT_EQ(narrow.countWidth, narrow.comboLeft - 6 - 183);

    // A longer link text (another language) moves it further left.
    EXPECT_LT(ProfileHeaderLayout(801, 180).comboLeft, wide.comboLeft);
    EXPECT_GE(ProfileHeaderLayout(500, 400).countWidth, 0);
}

TEST(BrowserPictures, TheNewerBrowsersHaveTheirOwnAndTheFamiliesTheStoresByKind) {
    EXPECT_EQ(BrowserPictureOf(BrowserId::Edge, BrowserKind::ChromeFamily, true), SkinPictureId::BrowserIconEdge);
    EXPECT_EQ(BrowserPictureOf(BrowserId::Brave, BrowserKind::ChromeFamily, false),
              SkinPictureId::BrowserIconGreyBrave);
    EXPECT_EQ(BrowserPictureOf(BrowserId::Vivaldi, BrowserKind::ChromeFamily, true),
              SkinPictureId::BrowserIconVivaldi);
    EXPECT_EQ(BrowserPictureOf(BrowserId::Chromium, BrowserKind::ChromeFamily, true),
              SkinPictureId::BrowserIconChrome);
    EXPECT_EQ(BrowserPictureOf(BrowserId::Opera, BrowserKind::Opera, false), SkinPictureId::BrowserIconGreyOpera);
    EXPECT_EQ(BrowserPictureOf(BrowserId::None, BrowserKind::Firefox, true), SkinPictureId::BrowserIconFirefox);
}

}  // namespace
