// The wait window over a main window: frames 0 to 13 in turn, one every
// 80 ms, laid over the whole main window, and closed by a click.
#include <gtest/gtest.h>

#include <vector>

#include "ui/FrmWait.h"
#include "ui/ImgModule.h"
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

uint32_t PixelOf(HBITMAP bitmap, int x, int y) {
    DIBSECTION dib = {};
    if (GetObjectW(bitmap, sizeof(dib), &dib) != sizeof(dib) || !dib.dsBm.bmBits) return 0xDEADBEEF;
    const auto* row = static_cast<const uint8_t*>(dib.dsBm.bmBits) + static_cast<size_t>(y) * dib.dsBm.bmWidthBytes;
    return reinterpret_cast<const uint32_t*>(row)[x];
}

struct FrameCase {
    UINT dpi;
};

class WaitFrameContent : public testing::TestWithParam<FrameCase> {};

TEST_P(WaitFrameContent, IsClearAroundTheOpaqueCardWithASoftShadow) {
    const UINT dpi = GetParam().dpi;
    const TimgModule images(dpi);
    const int width = MulDiv(700, dpi, 96);
    const int height = MulDiv(460, dpi, 96);
    const UniqueBitmap bitmap =
        TfrmWait::PaintFrame(images.PictureForDpi(WaitFrame(0), dpi), width, height, dpi);
    ASSERT_TRUE(bitmap);
    const auto design = [dpi](int v) { return MulDiv(v, dpi, 96); };
    const int left = (width - design(190)) / 2;
    const int top = (height - design(220)) / 2;
    // Far from the picture: nothing at all.
    EXPECT_EQ(PixelOf(bitmap.get(), 0, 0), 0u);
    EXPECT_EQ(PixelOf(bitmap.get(), width - 1, height - 1), 0u);
    EXPECT_EQ(PixelOf(bitmap.get(), left - 2, top + design(100)), 0u);
    // The white card is opaque.
    EXPECT_EQ(PixelOf(bitmap.get(), left + design(20), top + design(180)), 0xFFFFFFFFu);
    // Its shadow below is partly clear and dark (premultiplied).
    const uint32_t shadow = PixelOf(bitmap.get(), left + design(95), top + design(215));
    const uint32_t alpha = shadow >> 24;
    EXPECT_GT(alpha, 0u);
    EXPECT_LT(alpha, 128u);
    EXPECT_LE((shadow >> 16) & 0xFF, alpha);
}

INSTANTIATE_TEST_SUITE_P(Dpi, WaitFrameContent, testing::Values(FrameCase{96}, FrameCase{144}));

}  // namespace
