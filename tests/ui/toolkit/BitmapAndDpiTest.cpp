// Pictures from PNG bytes and pixels, their slices and high-DPI drawing,
// and a form that moves to a monitor of another DPI.
#include <gtest/gtest.h>

#include <string_view>

#include "ToolkitTestSupport.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixForm.h"
#include "ui/toolkit/OrixListView.h"

namespace {

// A 3 x 1 PNG: opaque red, fully transparent blue, half-transparent green.
constexpr char kPng[] =
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x03\x00\x00\x00\x01\x08\x06\x00\x00"
    "\x00\x1b\xe0\x14\xb4\x00\x00\x00\x0e\x49\x44\x41\x54\x78\x9c\x63\xf8\xcf\xc0\x00\x43\x0d\x00\x1e\x6f\x04\x7d\xf5"
    "\x9e\xe2\x3f\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82";

TEST(OrixBitmap, PngBytesBecomePremultipliedPixels) {
    const auto picture = TOrixBitmap::FromPng(std::string_view(kPng, sizeof(kPng) - 1));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->Width(), 3);
    EXPECT_EQ(picture->Height(), 1);
    EXPECT_EQ(picture->PixelAt(0, 0), 0xFFFF0000u);
    EXPECT_EQ(picture->PixelAt(1, 0) >> 24, 0u);
    const uint32_t half = picture->PixelAt(2, 0);
    EXPECT_NEAR(static_cast<int>(half >> 24), 128, 1);
    EXPECT_NEAR(static_cast<int>((half >> 8) & 0xFF), 128, 1);  // green, premultiplied
    EXPECT_EQ(picture->PixelAt(3, 0), 0u);
}

TEST(OrixBitmap, BytesThatAreNoPictureGiveNone) {
    EXPECT_FALSE(TOrixBitmap::FromPng(""));
    EXPECT_FALSE(TOrixBitmap::FromPng("<html>not a picture</html>"));
    EXPECT_FALSE(TOrixBitmap::FromPng(std::string_view(kPng, 30)));  // cut short
    EXPECT_FALSE(TOrixBitmap::FromPixels(0, 5, {}));
    EXPECT_FALSE(TOrixBitmap::FromHBitmap(nullptr));
}

// Draws into a white memory bitmap and reads it back.
class Surface {
public:
    Surface(int w, int h) : dc_(CreateCompatibleDC(nullptr)) {
        const UniqueWindowDc screen(GetDC(nullptr), {nullptr});
        bitmap_.reset(CreateCompatibleBitmap(screen.get(), w, h));
        old_ = SelectObject(dc_.get(), bitmap_.get());
        const RECT all = {0, 0, w, h};
        FillRect(dc_.get(), &all, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    }
    ~Surface() { SelectObject(dc_.get(), old_); }
    HDC Dc() const { return dc_.get(); }
    COLORREF At(int x, int y) const { return GetPixel(dc_.get(), x, y); }

private:
    UniqueDc dc_;
    UniqueBitmap bitmap_;
    HGDIOBJ old_;
};

TEST(OrixBitmap, SlicesAreDrawnStretchedOrAtTheirDesignSizeForTheDpi) {
    const TOrixStrip strip = SolidStrip(10, 10, {RGB(200, 0, 0), RGB(0, 200, 0), RGB(0, 0, 200)});
    Surface surface(60, 60);
    strip.Draw(surface.Dc(), {0, 0, 30, 20}, 1);
    EXPECT_EQ(surface.At(0, 0), RGB(0, 200, 0));
    EXPECT_EQ(surface.At(29, 19), RGB(0, 200, 0));
    EXPECT_EQ(surface.At(30, 0), RGB(255, 255, 255));
    // At 144 DPI a 10-pixel design picture covers 15 pixels.
    strip.DrawAt(surface.Dc(), 40, 40, 144, 2);
    EXPECT_EQ(surface.At(40 + 14, 40 + 14), RGB(0, 0, 200));
    EXPECT_EQ(surface.At(40 + 15, 40 + 15), RGB(255, 255, 255));
    // A picture of twice the pixels for high DPI is drawn at its design size.
    std::vector<uint32_t> pixels(20 * 20, 0xFF123456u);
    const TOrixStrip sharp = {TOrixBitmap::FromPixels(20, 20, pixels, 2), 1};
    EXPECT_EQ(sharp.DesignWidth(), 10);
    Surface small(30, 30);
    sharp.DrawAt(small.Dc(), 0, 0, 96, 0);
    EXPECT_EQ(small.At(9, 9), RGB(0x12, 0x34, 0x56));
    EXPECT_EQ(small.At(10, 10), RGB(255, 255, 255));
}

TEST(OrixBitmap, TransparentPixelsLeaveWhatIsUnder) {
    std::vector<uint32_t> pixels = {0x00000000u, 0xFF0000FFu};
    const TOrixStrip strip = {TOrixBitmap::FromPixels(2, 1, pixels), 1};
    Surface surface(2, 1);
    strip.Draw(surface.Dc(), {0, 0, 2, 1}, 0);
    EXPECT_EQ(surface.At(0, 0), RGB(255, 255, 255));
    EXPECT_EQ(surface.At(1, 0), RGB(0, 0, 255));
}

TEST(OrixForm, MovingToAMonitorOfAnotherDpiScalesEveryControlAndFont) {
    TOrixForm form;
    TOrixForm::CreateArgs args;
    args.caption = L"DPI test";
    args.clientWidth = 400;
    args.clientHeight = 300;
    args.position = POINT{100, 100};
    ASSERT_TRUE(form.Create(args));
    TOrixButton::CreateArgs b;
    b.bounds = {40, 60, 100, 30};
    auto& button = form.Add<TOrixButton>(b);
    TOrixListView::CreateArgs l;
    l.bounds = {10, 100, 380, 190};
    l.anchors = AnchorAll;
    l.rowHeight = 70;
    auto& list = form.Add<TOrixListView>(l);
    for (int i = 0; i < 3; ++i) list.Rows().Add(L"row");
    const UINT before = form.Dpi();
    const UINT after = before * 3 / 2;
    RECT window;
    GetWindowRect(form.Handle(), &window);
    RECT suggested = {window.left, window.top, window.left + MulDiv(400, after, 96),
                      window.top + MulDiv(300, after, 96)};
    SendMessageW(form.Handle(), 0x02E0 /* WM_DPICHANGED */, MAKEWPARAM(after, after),
                 reinterpret_cast<LPARAM>(&suggested));
    EXPECT_EQ(form.Dpi(), after);
    EXPECT_EQ(button.Dpi(), after);
    RECT r;
    GetWindowRect(button.Handle(), &r);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.left, MulDiv(40, after, 96));
    EXPECT_EQ(r.top, MulDiv(60, after, 96));
    EXPECT_EQ(r.right - r.left, MulDiv(100, after, 96));
    // Anchored on all sides: the same margins, scaled.
    GetWindowRect(list.Handle(), &r);
    MapWindowPoints(nullptr, form.Handle(), reinterpret_cast<POINT*>(&r), 2);
    EXPECT_EQ(r.right, MulDiv(400, after, 96) - MulDiv(10, after, 96));
    EXPECT_EQ(list.RowRect(1).top, MulDiv(70, after, 96));
    LOGFONTW font = {};
    GetObjectW(button.FontNormal.Handle(button.Dpi()), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -MulDiv(button.FontNormal.Height(), after, 96));
    EXPECT_EQ(button.FontNormal.Size(), 8);
}

TEST(OrixFont, SizesRoundTripAndCopyingKeepsStyle) {
    TOrixFont font;
    for (int points : {8, 9, 10, 11, 12, 14}) {
        font.SetSize(points);
        EXPECT_EQ(font.Size(), points);
    }
    TOrixFont language;
    language.SetName(L"Arial");
    language.SetSize(10);
    language.SetCharset(GB2312_CHARSET);
    TOrixFont label;
    label.SetBold(true);
    label.SetColor(RGB(1, 2, 3));
    label.CopyFrom(language);
    EXPECT_EQ(label.Name(), L"Arial");
    EXPECT_EQ(label.Size(), 10);
    EXPECT_EQ(label.Charset(), GB2312_CHARSET);
    EXPECT_TRUE(label.Bold());
    EXPECT_EQ(label.Color(), RGB(1, 2, 3));
    label.SetSize(label.Size() + 2);
    EXPECT_EQ(label.Size(), 12);
}

}  // namespace
