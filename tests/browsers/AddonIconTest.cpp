// A record's icon from a local file is decoded when first looked at, once.
#include "browsers/AddonIcon.h"

#include <gtest/gtest.h>

#include "gfx/AddonIcons.h"
#include "platform/GdiplusInclude.h"

namespace {

TEST(AddonIcons, AFileIconIsDecodedOnFirstUseAndOnlyOnce) {
    int decoded = 0;
    AddonIcon icon;
    icon.DecodeOnFirstUse([&] {
        ++decoded;
        return ExtractIconImage(L"C:\\windows\\notepad.exe", 0);
    });
    EXPECT_TRUE(icon.Pending());
    EXPECT_EQ(decoded, 0) << "nothing decoded until someone looks";
    ASSERT_TRUE(icon);
    EXPECT_EQ(icon->GetWidth(), 48u);
    Gdiplus::Bitmap* first = icon.get();
    EXPECT_EQ(icon.get(), first);
    EXPECT_FALSE(icon.Pending());
    EXPECT_EQ(decoded, 1);
}

TEST(AddonIcons, AFileWithoutAPictureIsAskedOnceAndAPictureGivenOutrightWins) {
    int decoded = 0;
    AddonIcon missing;
    missing.DecodeOnFirstUse([&] {
        ++decoded;
        return LoadPngFile(L"C:\\no\\such\\icon.png");
    });
    EXPECT_FALSE(missing);
    EXPECT_TRUE(missing == nullptr);
    EXPECT_FALSE(missing);
    EXPECT_EQ(decoded, 1) << "a file that gives none is not read again";

    AddonIcon downloaded;
    downloaded.DecodeOnFirstUse([&] {
        ++decoded;
        return AddonPicture();
    });
    downloaded = ExtractIconImage(L"C:\\windows\\notepad.exe", 0);
    EXPECT_TRUE(downloaded != nullptr);
    EXPECT_EQ(decoded, 1) << "the pending decoding was dropped";
}

}  // namespace
