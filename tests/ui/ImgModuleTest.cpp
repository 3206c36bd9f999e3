// The image module: the numbered store at the scale of its monitor with
// the design sizes and states the windows are laid out for, other skin
// pictures at the scale a DPI asks for, and the skins it hands out.
#include <gtest/gtest.h>

#include "ui/ImgModule.h"

namespace {

struct ScaleCase {
    UINT dpi;
    int scale;
};

class ImgModuleAtDpi : public testing::TestWithParam<ScaleCase> {};

TEST_P(ImgModuleAtDpi, HoldsTheWholeStoreAtItsScaleWithDesignSizesAndStates) {
    const TimgModule images(GetParam().dpi);
    const int scale = GetParam().scale;
    EXPECT_EQ(images.PictureScale(), scale);
    for (int n = 0; n < kStorePictureCount; ++n) {
        const SkinPictureInfo* info = FindSkinPicture(StorePicture(n));
        ASSERT_NE(info, nullptr);
        const TOrixStrip strip = images.Store(n);
        ASSERT_FALSE(strip.Empty()) << n;
        EXPECT_EQ(strip.slices, info->states) << n;
        EXPECT_EQ(strip.picture->PixelScale(), scale) << n;
        EXPECT_EQ(strip.picture->Width(), info->width * scale) << n;
        EXPECT_EQ(strip.DesignWidth() * strip.slices, info->width) << n;
        EXPECT_EQ(strip.DesignHeight(), info->height) << n;
    }
    // The browser button of the main window: three states of 171 x 50.
    EXPECT_EQ(images.Store(13).DesignWidth(), 171);
    EXPECT_EQ(images.Store(13).slices, 3);
    EXPECT_TRUE(images.Store(-1).Empty());
    EXPECT_TRUE(images.Store(kStorePictureCount).Empty());
}

INSTANTIATE_TEST_SUITE_P(Dpi, ImgModuleAtDpi,
                         testing::Values(ScaleCase{96, 1}, ScaleCase{120, 2}, ScaleCase{144, 2}, ScaleCase{192, 2}));

TEST(ImgModule, GivesPicturesForAnotherMonitorsDpiAndNothingForUnknownOnes) {
    const TimgModule images(96);
    EXPECT_EQ(images.PictureForDpi(SkinPictureId::ToastInfoIcon, 144).picture->PixelScale(), 2);
    EXPECT_EQ(images.PictureForDpi(SkinPictureId::ToastInfoIcon, 96).picture->PixelScale(), 1);
    EXPECT_EQ(images.PictureForDpi(WaitFrame(14), 192).DesignWidth(), 190);
    EXPECT_TRUE(images.Picture(static_cast<SkinPictureId>(99)).Empty());
    // The same picture is loaded once.
    EXPECT_EQ(images.Picture(SkinPictureId::Logo).picture, images.Picture(SkinPictureId::Logo).picture);
}

TEST(ImgModule, HandsOutTheScrollBarFrameAndMessageBoxSkins) {
    const TimgModule images(96);
    const TOrixScrollBarSkin& bar = images.ScrollBarSkin();
    EXPECT_EQ(bar.width, 12);
    EXPECT_EQ(bar.thumb.slices, 3);
    EXPECT_EQ(bar.thumb.DesignWidth(), 12);
    EXPECT_FALSE(bar.track.Empty());

    TOrixFrame frame;
    images.SkinFrame(frame);
    EXPECT_EQ(frame.TitlePicture.DesignHeight(), 30);
    for (const TOrixStrip* button : {&frame.MenuButton, &frame.MinimizeButton, &frame.CloseButton}) {
        EXPECT_EQ(button->slices, 3);
        EXPECT_EQ(button->DesignWidth(), 30);
    }
    EXPECT_EQ(frame.Logo.DesignWidth(), 20);

    TimgModule second(96);
    TOrixMessageBox& box = second.MessageDialog();
    for (const TOrixStrip& icon : box.Icons) EXPECT_EQ(icon.DesignWidth(), 32);
    EXPECT_EQ(box.ButtonPicture.slices, 3);
    EXPECT_EQ(box.ButtonPicture.DesignWidth(), 82);
    EXPECT_FALSE(box.CloseButton.Empty());
    EXPECT_EQ(box.YesCaption, L"Yes");
}

}  // namespace
