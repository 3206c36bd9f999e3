// The wait window over a main window: frames 0 to 13 in turn, one every
// 80 ms, laid over the whole main window, and closed by a click.
#include <gtest/gtest.h>

#include <vector>

#include "ui/FrmWait.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/ToolkitTestSupport.h"

namespace {

class FrmWaitTest : public testing::Test {
protected:
    void SetUp() override {
        TOrixForm::CreateArgs args;
        args.caption = L"Main";
        args.clientWidth = 700;
        args.clientHeight = 460;
        args.position = POINT{60, 50};
        args.resizable = true;
        ASSERT_TRUE(main.Create(args));
        main.Show();
        PumpFor(100);
    }

    TOrixForm main;
};

TEST_F(FrmWaitTest, ShowsFramesZeroToThirteenInTurnOverTheWholeMainWindow) {
    TfrmWait wait;
    ASSERT_TRUE(wait.CreateOver(main.Handle()));
    std::vector<int> frames;
    wait.OnFrame = [&](TfrmWait&, int frame) { frames.push_back(frame); };
    wait.Show();
    EXPECT_TRUE(PumpUntil([&] { return frames.size() >= 17; }, 6000));
    std::vector<int> expected;
    for (int i = 0; i < 17; ++i) expected.push_back(i % 14);
    frames.resize(std::min<size_t>(frames.size(), 17));
    EXPECT_EQ(frames, expected);

    RECT over, covering;
    GetWindowRect(main.Handle(), &over);
    GetWindowRect(wait.Handle(), &covering);
    EXPECT_TRUE(EqualRect(&over, &covering));
    EXPECT_TRUE(GetWindowLongW(wait.Handle(), GWL_EXSTYLE) & WS_EX_LAYERED);
    EXPECT_EQ(GetWindow(wait.Handle(), GW_OWNER), main.Handle());

    // A larger main window: the next frame covers it again, so the picture
    // stays in its middle.
    SetWindowPos(main.Handle(), nullptr, 30, 40, 1000, 700, SWP_NOZORDER | SWP_NOACTIVATE);
    const int counted = wait.FrameCounter();
    EXPECT_TRUE(PumpUntil([&] { return wait.FrameCounter() > counted + 1; }, 2000));
    GetWindowRect(main.Handle(), &over);
    GetWindowRect(wait.Handle(), &covering);
    EXPECT_TRUE(EqualRect(&over, &covering));
}

TEST_F(FrmWaitTest, AClickOnThePictureClosesItAndStopsTheAnimation) {
    TfrmWait wait;
    ASSERT_TRUE(wait.CreateOver(main.Handle()));
    wait.Show();
    ASSERT_TRUE(PumpUntil([&] { return wait.FrameCounter() >= 2; }, 3000));
    RECT r;
    GetWindowRect(main.Handle(), &r);
    WhilePumping([&] {
        // The white card in the picture's middle.
        MoveMouse({(r.left + r.right) / 2, (r.top + r.bottom) / 2 + 60});
        MouseButton(true);
        MouseButton(false);
    });
    EXPECT_EQ(wait.Handle(), nullptr);
    const int counted = wait.FrameCounter();
    PumpFor(300);
    EXPECT_EQ(wait.FrameCounter(), counted);
    EXPECT_TRUE(IsWindow(main.Handle()));
}

TEST_F(FrmWaitTest, ClosedByItsUserTheTimerStops) {
    TfrmWait wait;
    ASSERT_TRUE(wait.CreateOver(main.Handle()));
    wait.Show();
    ASSERT_TRUE(PumpUntil([&] { return wait.FrameCounter() >= 1; }, 3000));
    wait.Close();
    EXPECT_EQ(wait.Handle(), nullptr);
    const int counted = wait.FrameCounter();
    PumpFor(300);
    EXPECT_EQ(wait.FrameCounter(), counted);
}

}  // namespace
