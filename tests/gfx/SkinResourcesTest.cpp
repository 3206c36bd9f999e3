// The skin pictures embedded in the program: every one at both scales, a PNG
// of exactly its design size, strips that cut into equal states, and colours
// at the places that tell a wrongly drawn picture.
#include "gfx/SkinResources.h"
#include "platform/UniqueHandles.h"

#include <windows.h>
#include <objidl.h>
#include <shlwapi.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <span>
#include <string>
#include <vector>

// Test names and failure messages show a picture by its number.
void PrintTo(const SkinPictureInfo& info, std::ostream* out) {
    *out << "picture " << static_cast<int>(info.id) << " (" << info.width << " x " << info.height << ", "
         << info.states << (info.states == 1 ? " state)" : " states)");
}

namespace {

// Gdiplus::ImageFormatPNG, spelled out so no GUID library is needed.
constexpr GUID kPngFormat = {0xb96b3caf, 0x0728, 0x11d3, {0x9d, 0x7b, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};

struct Rgba {
    int r, g, b, a;
};

struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> argb;  // straight (not premultiplied) alpha

    Rgba At(int x, int y) const {
        const std::uint32_t p = argb[static_cast<std::size_t>(y) * width + x];
        return {static_cast<int>((p >> 16) & 0xFF), static_cast<int>((p >> 8) & 0xFF),
                static_cast<int>(p & 0xFF), static_cast<int>(p >> 24)};
    }
};

struct StreamReleaser {
    void operator()(IStream* s) const { if (s) s->Release(); }
};

bool StartGdiplus() {
    static const bool started = [] {
        ULONG_PTR token = 0;
        Gdiplus::GdiplusStartupInput input;
        return Gdiplus::GdiplusStartup(&token, &input, nullptr) == Gdiplus::Ok;
    }();
    return started;
}

// The pixels when the bytes are a PNG that GDI+ reads; none otherwise.
std::optional<Picture> DecodePng(std::span<const std::byte> png) {
    if (png.empty() || !StartGdiplus()) return std::nullopt;
    std::unique_ptr<IStream, StreamReleaser> stream(
        SHCreateMemStream(reinterpret_cast<const BYTE*>(png.data()), static_cast<UINT>(png.size())));
    if (!stream) return std::nullopt;
    Gdiplus::Bitmap bitmap(stream.get());
    GUID format{};
    if (bitmap.GetLastStatus() != Gdiplus::Ok || bitmap.GetRawFormat(&format) != Gdiplus::Ok ||
        format != kPngFormat)
        return std::nullopt;
    Picture picture;
    picture.width = static_cast<int>(bitmap.GetWidth());
    picture.height = static_cast<int>(bitmap.GetHeight());
    picture.argb.resize(static_cast<std::size_t>(picture.width) * picture.height);
    Gdiplus::Rect all(0, 0, picture.width, picture.height);
    Gdiplus::BitmapData data{};
    data.Width = picture.width;
    data.Height = picture.height;
    data.Stride = picture.width * 4;
    data.PixelFormat = PixelFormat32bppARGB;
    data.Scan0 = picture.argb.data();
    if (bitmap.LockBits(&all, Gdiplus::ImageLockModeRead | Gdiplus::ImageLockModeUserInputBuf,
                        PixelFormat32bppARGB, &data) != Gdiplus::Ok)
        return std::nullopt;
    bitmap.UnlockBits(&data);
    return picture;
}

Picture Load(SkinPictureId id, int scale) {
    std::optional<Picture> picture = DecodePng(SkinPng(id, scale));
    if (!picture) {
        ADD_FAILURE() << "picture " << static_cast<int>(id) << " at " << scale << "x does not decode";
        return {};
    }
    return *picture;
}

std::string Describe(SkinPictureId id, int scale) {
    return "picture " + std::to_string(static_cast<int>(id)) + " at " + std::to_string(scale) + "x";
}

// Largest difference of any channel at any pixel of two equally large areas
// (colour counts only where a pixel is visible).
int LargestDifference(const Picture& a, int ax, const Picture& b, int bx, int width, int height) {
    int largest = 0;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgba p = a.At(ax + x, y);
            const Rgba q = b.At(bx + x, y);
            largest = std::max(largest, std::abs(p.a - q.a));
            if (p.a > 0 || q.a > 0)
                largest = std::max({largest, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b)});
        }
    }
    return largest;
}

bool HasVisiblePixel(const Picture& p, int left, int width) {
    for (int y = 0; y < p.height; ++y)
        for (int x = left; x < left + width; ++x)
            if (p.At(x, y).a > 0) return true;
    return false;
}

// Mean of each premultiplied channel: the same picture at 1x and 2x gives
// nearly the same means, another picture does not.
std::array<double, 4> MeanColour(const Picture& p) {
    std::array<double, 4> sum{};
    for (int y = 0; y < p.height; ++y) {
        for (int x = 0; x < p.width; ++x) {
            const Rgba c = p.At(x, y);
            sum[0] += c.r * c.a / 255.0;
            sum[1] += c.g * c.a / 255.0;
            sum[2] += c.b * c.a / 255.0;
            sum[3] += c.a;
        }
    }
    for (double& s : sum) s /= static_cast<double>(p.width) * p.height;
    return sum;
}

// ---------------------------------------------------------------------------
// Every picture, at both scales.

class EverySkinPicture : public testing::TestWithParam<SkinPictureInfo> {};

TEST_P(EverySkinPicture, IsAPngOfItsDesignSizeAtBothScalesWithVisibleDistinctStates) {
    const SkinPictureInfo info = GetParam();
    ASSERT_GE(info.states, 1);
    ASSERT_EQ(info.width % info.states, 0) << "the strip does not cut into equal states";
    Picture atScale[2];
    for (int scale : {1, 2}) {
        SCOPED_TRACE(Describe(info.id, scale));
        const Picture p = Load(info.id, scale);
        ASSERT_FALSE(p.argb.empty());
        EXPECT_EQ(p.width, info.width * scale);
        EXPECT_EQ(p.height, info.height * scale);
        const int slice = p.width / info.states;
        for (int s = 0; s < info.states; ++s)
            EXPECT_TRUE(HasVisiblePixel(p, s * slice, slice)) << "state " << s << " is empty";
        // Hover and pressed must look different from normal and from each other.
        for (int s = 0; s < info.states; ++s)
            for (int t = s + 1; t < info.states; ++t)
                EXPECT_GT(LargestDifference(p, s * slice, p, t * slice, slice, p.height), 16)
                    << "states " << s << " and " << t << " look alike";
        atScale[scale - 1] = p;
    }
    // The 2x picture is the same drawing, not another picture's.
    const std::array<double, 4> one = MeanColour(atScale[0]);
    const std::array<double, 4> two = MeanColour(atScale[1]);
    for (int c = 0; c < 4; ++c) EXPECT_NEAR(one[c], two[c], 4.0) << "mean of channel " << c;
}

std::string PictureName(const testing::TestParamInfo<SkinPictureInfo>& param) {
    return "Picture" + std::to_string(static_cast<int>(param.param.id));
}

INSTANTIATE_TEST_SUITE_P(Skin, EverySkinPicture, testing::ValuesIn(SkinPictures().begin(), SkinPictures().end()),
                         PictureName);

// The sizes and state layouts the main and reviews windows are laid out for.
TEST(SkinPictureTable, HoldsTheWholeStoreAndTheWaitFramesAtTheirFixedSizes) {
    struct Fixed {
        int width, height, states;
    };
    const Fixed store[kStorePictureCount] = {
        {19, 19, 1},  {48, 48, 1},  {15, 15, 1},  {15, 15, 1},  {15, 15, 1},   {135, 18, 3},  {135, 18, 3},
        {54, 18, 3},  {20, 70, 1},  {10, 10, 1},  {90, 25, 1},  {9, 9, 1},     {9, 9, 1},     {513, 50, 3},
        {32, 32, 1},  {32, 32, 1},  {32, 32, 1},  {32, 32, 1},  {100, 100, 1}, {11, 11, 1},   {21, 21, 1},
        {21, 21, 1},  {21, 21, 1},  {16, 16, 1},  {16, 16, 1},  {16, 16, 1},   {16, 16, 1},   {16, 16, 1},
        {16, 16, 1},  {100, 100, 1}, {32, 32, 1}, {32, 32, 1},  {32, 32, 1},   {32, 32, 1},
    };
    for (int n = 0; n < kStorePictureCount; ++n) {
        const SkinPictureInfo* picture = FindSkinPicture(StorePicture(n));
        ASSERT_NE(picture, nullptr) << "store picture " << n;
        EXPECT_EQ(picture->width, store[n].width) << "store picture " << n;
        EXPECT_EQ(picture->height, store[n].height) << "store picture " << n;
        EXPECT_EQ(picture->states, store[n].states) << "store picture " << n;
    }
    for (int n = 0; n < kWaitFrameCount; ++n) {
        const SkinPictureInfo* frame = FindSkinPicture(WaitFrame(n));
        ASSERT_NE(frame, nullptr) << "wait frame " << n;
        EXPECT_EQ(frame->width, 190);
        EXPECT_EQ(frame->height, 220);
    }
    for (SkinPictureId id : {SkinPictureId::ToastInfoIcon, SkinPictureId::ToastErrorIcon}) {
        ASSERT_NE(FindSkinPicture(id), nullptr);
        EXPECT_EQ(FindSkinPicture(id)->width, 24);
        EXPECT_EQ(FindSkinPicture(id)->height, 24);
    }
    for (SkinPictureId id : {SkinPictureId::ToastInfoBackground, SkinPictureId::ToastErrorBackground}) {
        ASSERT_NE(FindSkinPicture(id), nullptr);
        EXPECT_EQ(FindSkinPicture(id)->width, 160);
        EXPECT_EQ(FindSkinPicture(id)->height, 35);
    }
}

TEST(SkinPictureTable, AnswersNothingForUnknownPicturesAndScales) {
    EXPECT_EQ(FindSkinPicture(static_cast<SkinPictureId>(34)), nullptr);
    EXPECT_TRUE(SkinPng(static_cast<SkinPictureId>(34), 1).empty());
    EXPECT_TRUE(SkinPng(SkinPictureId::StarLit, 0).empty());
    EXPECT_TRUE(SkinPng(SkinPictureId::StarLit, 3).empty());
}

// ---------------------------------------------------------------------------
// Colours at the places that show what a picture is.

bool Transparent(Rgba c) { return c.a == 0; }
bool White(Rgba c) { return c.a > 240 && c.r > 240 && c.g > 240 && c.b > 240; }
bool Gold(Rgba c) { return c.a > 200 && c.r > 230 && c.g > 140 && c.g < 210 && c.b < 60; }
bool Grey(Rgba c) { return c.a > 200 && std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) < 30; }
bool NotWhite(Rgba c) { return c.a > 200 && !White(c); }
bool Accent(Rgba c) { return c.a > 240 && std::abs(c.r - 0x16) < 12 && std::abs(c.g - 0x95) < 16 && std::abs(c.b - 0xE6) < 16; }
bool Blue(Rgba c) { return c.a > 200 && c.b - c.r > 80; }
bool Red(Rgba c) { return c.a > 200 && c.r > 170 && c.g < 110 && c.b < 110; }
bool Green(Rgba c) { return c.a > 200 && c.g > c.r + 60 && c.g > c.b + 30; }
bool Dark(Rgba c) { return c.a > 240 && std::max({c.r, c.g, c.b}) < 80; }
bool Colourful(Rgba c) { return c.a > 200 && std::max({c.r, c.g, c.b}) - std::min({c.r, c.g, c.b}) > 90; }

struct PixelCheck {
    SkinPictureId id;
    double x, y;  // design pixels at 1x
    bool (*expect)(Rgba);
    const char* what;
};

const PixelCheck kPixelChecks[] = {
    {SkinPictureId::StarLit, 7.5, 8.5, Gold, "lit star: gold centre"},
    {SkinPictureId::StarLit, 0.2, 0.2, Transparent, "lit star: clear corner"},
    {SkinPictureId::StarGrey, 7.5, 8.5, Grey, "grey star: grey centre"},
    {SkinPictureId::StarHalf, 5.5, 8.5, Gold, "half star: gold left"},
    {SkinPictureId::StarHalf, 9.5, 8.5, Grey, "half star: grey right"},
    {SkinPictureId::LargeStarFull, 10.5, 11.5, Gold, "large star: gold centre"},
    {SkinPictureId::LargeStarEmpty, 10.5, 11.5, Grey, "large empty star: grey centre"},
    {SkinPictureId::LargeStarHalf, 7.5, 11.5, Gold, "large half star: gold left"},
    {SkinPictureId::LargeStarHalf, 13.5, 11.5, Grey, "large half star: grey right"},
    {SkinPictureId::SmallStar, 5.5, 6, Gold, "small star: gold centre"},
    {SkinPictureId::StarGlow, 9.5, 10, Gold, "glowing star: gold centre"},
    {SkinPictureId::StarGlow, 0.2, 0.2, Transparent, "glowing star: clear corner"},
    // The switches: "ON" is blue with the knob on the right, "OFF" grey with
    // the knob on the left, in every state.
    {SkinPictureId::SwitchOn, 3.5, 9.5, Blue, "ON normal: blue track"},
    {SkinPictureId::SwitchOn, 48.5, 9.5, Blue, "ON hover: blue track"},
    {SkinPictureId::SwitchOn, 93.5, 9.5, Blue, "ON pressed: blue track"},
    {SkinPictureId::SwitchOn, 36, 9, White, "ON: knob on the right"},
    {SkinPictureId::SwitchOn, 0.2, 0.2, Transparent, "ON: clear corner"},
    {SkinPictureId::SwitchOff, 3.5, 9.5, Grey, "OFF normal: grey track"},
    {SkinPictureId::SwitchOff, 48.5, 9.5, Grey, "OFF hover: grey track"},
    {SkinPictureId::SwitchOff, 9, 9, White, "OFF: knob on the left"},
    {SkinPictureId::SwitchOff, 36, 9, NotWhite, "OFF: no knob on the right"},
    {SkinPictureId::DeleteButton, 9.5, 9.5, Grey, "delete normal: grey cross"},
    {SkinPictureId::DeleteButton, 21.5, 9.5, Red, "delete hover: red"},
    {SkinPictureId::DeleteButton, 39.5, 9.5, Red, "delete pressed: red"},
    {SkinPictureId::BrowserButton, 85.5, 25.5, Dark, "browser button normal: dark panel"},
    {SkinPictureId::BrowserButton, 342.5, 25.5, Accent, "browser button pressed: accent bar"},
    {SkinPictureId::BrowserIconChrome, 16, 3, Colourful, "colour browser icon"},
    {SkinPictureId::BrowserIconIe, 16, 3, Colourful, "colour browser icon"},
    {SkinPictureId::BrowserIconFirefox, 16, 3, Colourful, "colour browser icon"},
    {SkinPictureId::BrowserIconOpera, 16, 3, Colourful, "colour browser icon"},
    {SkinPictureId::BrowserIconGreyChrome, 16, 3, Grey, "grey browser icon"},
    {SkinPictureId::BrowserIconGreyIe, 16, 3, Grey, "grey browser icon"},
    {SkinPictureId::BrowserIconGreyFirefox, 16, 3, Grey, "grey browser icon"},
    {SkinPictureId::BrowserIconGreyOpera, 16, 3, Grey, "grey browser icon"},
    {SkinPictureId::BrowserIconOpera, 0.2, 0.2, Transparent, "browser icon: clear corner"},
    {SkinPictureId::BrowserIconEdge, 16, 3, Colourful, "colour browser icon"},
    {SkinPictureId::BrowserIconBrave, 16, 3, Colourful, "colour browser icon"},
    {SkinPictureId::BrowserIconVivaldi, 16, 3, Colourful, "colour browser icon"},
    {SkinPictureId::BrowserIconGreyEdge, 16, 3, Grey, "grey browser icon"},
    {SkinPictureId::BrowserIconGreyBrave, 16, 3, Grey, "grey browser icon"},
    {SkinPictureId::BrowserIconGreyVivaldi, 16, 3, Grey, "grey browser icon"},
    {SkinPictureId::BrowserIconVivaldi, 0.2, 0.2, Transparent, "browser icon: clear corner"},
    {SkinPictureId::RatingBarFill, 4.5, 4.5, Gold, "rating bar fill"},
    {SkinPictureId::RowBackground, 10, 30, Transparent, "row background: clear inside"},
    {SkinPictureId::ToastInfoBackground, 80, 17.5, Green, "information background"},
    {SkinPictureId::ToastErrorBackground, 80, 17.5, Red, "error background"},
    {SkinPictureId::ToastInfoIcon, 11.2, 13.2, White, "information icon: white bar"},
    {SkinPictureId::ToastInfoIcon, 0.2, 0.2, Transparent, "information icon: clear corner"},
    {SkinPictureId::ToastErrorIcon, 12, 12, White, "error icon: white cross"},
    {SkinPictureId::ToastErrorIcon, 0.2, 0.2, Transparent, "error icon: clear corner"},
    {SkinPictureId::TitleBarBackground, 5, 15, Accent, "title bar: accent"},
    {SkinPictureId::TitleCloseButton, 1, 1, Transparent, "close normal: over the title bar"},
    {SkinPictureId::TitleCloseButton, 15, 15, White, "close: white cross"},
    {SkinPictureId::TitleCloseButton, 31, 1, Red, "close hover: red"},
    {SkinPictureId::TitleMinimiseButton, 1, 1, Transparent, "minimise normal: over the title bar"},
    {SkinPictureId::TitleMenuButton, 1, 1, Transparent, "menu normal: over the title bar"},
    {SkinPictureId::Logo, 10, 14, White, "logo: white"},
    {SkinPictureId::MessageError, 16, 4, Red, "message error icon"},
    {SkinPictureId::MessageInformation, 16, 4, Accent, "message information icon"},
    {SkinPictureId::MessageQuestion, 16, 4, Accent, "message question icon"},
    {SkinPictureId::Like, 12, 11, Green, "like: green"},
    {SkinPictureId::LikeAnswered, 12, 11, Grey, "like answered: grey"},
    {SkinPictureId::Dislike, 4, 5, Red, "dislike: red"},
    {SkinPictureId::DislikeAnswered, 4, 5, Grey, "dislike answered: grey"},
    {SkinPictureId::ReportAnswered, 8, 4, Grey, "report answered: grey"},
};

std::string Show(Rgba c) {
    return "rgba(" + std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," +
           std::to_string(c.a) + ")";
}

TEST(SkinPictureColours, ShowWhatEachPictureIsAtBothScales) {
    for (const PixelCheck& check : kPixelChecks) {
        for (int scale : {1, 2}) {
            const Picture p = Load(check.id, scale);
            if (p.argb.empty()) continue;
            const int x = static_cast<int>(std::floor(check.x * scale));
            const int y = static_cast<int>(std::floor(check.y * scale));
            ASSERT_LT(x, p.width);
            ASSERT_LT(y, p.height);
            const Rgba c = p.At(x, y);
            EXPECT_TRUE(check.expect(c)) << check.what << ": " << Describe(check.id, scale) << " has "
                                         << Show(c) << " at (" << x << ", " << y << ")";
        }
    }
}

TEST(SkinPictureColours, SwitchesOffAndOnDifferInEveryState) {
    for (int scale : {1, 2}) {
        const Picture off = Load(SkinPictureId::SwitchOff, scale);
        const Picture on = Load(SkinPictureId::SwitchOn, scale);
        ASSERT_FALSE(off.argb.empty() || on.argb.empty());
        const int slice = 45 * scale;
        for (int s = 0; s < 3; ++s)
            EXPECT_GT(LargestDifference(off, s * slice, on, s * slice, slice, off.height), 100) << "state " << s;
    }
}

// The wait window loops frames 0 to 13: each must move on, and the unused
// 15th frame closes the turn.
TEST(SkinPictureColours, WaitFramesTurnOnEveryFrameAndFrame14RepeatsFrame0) {
    std::vector<Picture> frames;
    for (int n = 0; n < kWaitFrameCount; ++n) frames.push_back(Load(WaitFrame(n), 1));
    for (const Picture& f : frames) ASSERT_FALSE(f.argb.empty());
    for (int a = 0; a < 14; ++a)
        for (int b = a + 1; b < 14; ++b)
            EXPECT_GT(LargestDifference(frames[a], 0, frames[b], 0, 190, 220), 40) << "frames " << a << " and " << b;
    EXPECT_LE(LargestDifference(frames[0], 0, frames[14], 0, 190, 220), 2);
}

// ---------------------------------------------------------------------------
// The program icon.

#pragma pack(push, 2)
struct IconDirectoryEntry {
    BYTE width;  // 0 means 256
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
struct IconDirectory {
    WORD reserved;
    WORD type;
    WORD count;
    IconDirectoryEntry entries[1];
};
#pragma pack(pop)

TEST(ProgramIcon, HoldsEverySizeTheShellAsksFor) {
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC group = FindResourceW(module, MAKEINTRESOURCEW(1), RT_GROUP_ICON);
    ASSERT_NE(group, nullptr);
    const auto* directory = static_cast<const IconDirectory*>(LockResource(LoadResource(module, group)));
    ASSERT_NE(directory, nullptr);
    ASSERT_GE(SizeofResource(module, group), sizeof(WORD) * 3 + sizeof(IconDirectoryEntry) * directory->count);
    std::vector<int> sizes;
    for (int i = 0; i < directory->count; ++i) {
        const IconDirectoryEntry& e = directory->entries[i];
        const int width = e.width == 0 ? 256 : e.width;
        const int height = e.height == 0 ? 256 : e.height;
        EXPECT_EQ(width, height);
        EXPECT_EQ(e.bitCount, 32) << "size " << width;
        sizes.push_back(width);
    }
    std::sort(sizes.begin(), sizes.end());
    EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 256}));

    for (int size : {16, 32, 48}) {
        const UniqueIcon icon(static_cast<HICON>(LoadImageW(module, MAKEINTRESOURCEW(1), IMAGE_ICON, size, size, 0)));
        EXPECT_NE(icon, nullptr) << "size " << size;
    }
}

}  // namespace
