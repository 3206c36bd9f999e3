#include "ui/NewsWindowLayout.h"

#include <gtest/gtest.h>

namespace {

TEST(NewsWindowLayout, BothSizesGiveTheFramedSizeAndOneAloneKeepsTheCurrent) {
    EXPECT_EQ(NewsWindowSize(400, 300, 490, 265), (NewsBox{0, 0, 402, 326}));
    EXPECT_EQ(NewsBrowserBox(402, 326), (NewsBox{1, 26, 400, 299}));
    EXPECT_EQ(NewsWindowSize(400, 0, 490, 265), (NewsBox{0, 0, 490, 265}));
    EXPECT_EQ(NewsWindowSize(0, 300, 490, 265), (NewsBox{0, 0, 490, 265}));
    EXPECT_EQ(NewsWindowSize(0, 0, 402, 326), (NewsBox{0, 0, 402, 326}));
}

TEST(NewsWindowLayout, TheWindowStartsBelowTheWorkAreaAndSlidesUpToItsBottomRight) {
    const NewsBox start = NewsStartPlace(1280, 770, 402, 326);
    EXPECT_EQ(start, (NewsBox{868, 1096, 402, 326}));
    int top = start.top;
    int ticks = 0;
    while (!NewsSlideTick(top, 770, 326)) {
        ++ticks;
        ASSERT_LT(ticks, 100);
    }
    EXPECT_EQ(top, 770 - 326);
    // 1096 - 444 = 652 pixels at 20 a tick: 32 ticks move, the 33rd arrives.
    EXPECT_EQ(ticks, 32);
}

TEST(NewsWindowLayout, TheFadeTakesTwentyFiveTicksFromOpaque) {
    int alpha = 255;
    int ticks = 1;
    while (!NewsFadeTick(alpha)) ++ticks;
    EXPECT_EQ(ticks, 25);
    EXPECT_EQ(alpha, 5);
}

}  // namespace
