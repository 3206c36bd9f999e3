#pragma once
// The skin pictures embedded in the program: PNGs rendered at build time
// from skin/*.svg at 1x and 2x (cmake/Skin.cmake, listed in skin/skin.list).
//
// Sizes are design pixels at 1x (96 DPI); the 2x PNG is exactly twice as
// wide and high. A strip holds equal state slices side by side, in the order
// normal, hover, pressed.
//
// The numbered picture store (SkinPictureId 0 to 33):
//   0 star with glow 19 x 19              18 empty add-on list 100 x 100
//   1 default add-on picture 48 x 48      19 small star 11 x 11
//   2 star lit, 3 half lit, 4 grey,       20 large star full, 21 empty,
//     15 x 15 each                           22 half, 21 x 21 each
//   5 switch "OFF", strip 3 x 45 x 18     23 report, 24 report answered,
//   6 switch "ON", strip 3 x 45 x 18      25 like, 26 like answered,
//   7 delete button, strip 3 x 18 x 18    27 dislike, 28 dislike answered,
//   8 list row background 20 x 70            16 x 16 each
//     (transparent, hairline at bottom)   29 add-on without reviews 100 x 100
//   9 list selection 10 x 10 (flat tint)  14-17 grey browser icons and
//  10 list header background 90 x 25      30-33 colour browser icons, 32 x 32
//  11 rating bar back, 12 fill, 9 x 9        (Chrome family, Internet
//  13 browser button face,                   Explorer, Firefox, Opera: add
//     strip 3 x 171 x 50 (side panel         the browser kind to 13 or 29)
//     colour #22303F; pressed = selected)
//
// Beyond the store:
//   notifications   information icon 24 x 24 (white), background 160 x 35
//                   (green), error icon 24 x 24 (white), background 160 x 35
//                   (red); backgrounds are flat, for stretching
//   wait animation  15 frames of 190 x 220; frame k is the ring turned by
//                   k / 14 of a turn, so frames 0-13 loop and 14 equals 0
//   title bar       background 10 x 30 (stretched sideways, #1695E6);
//                   menu, minimise and close buttons, strips 3 x 30 x 30
//                   whose normal slice is transparent over the title bar;
//                   logo 20 x 20 (white, for the title bar)
//   scroll bar      track 12 x 12 (stretched); thumb, strip 3 x 12 x 40,
//                   to be drawn with its top and bottom 6 px unstretched
//   message box     warning, error, information and question icons, 32 x 32;
//                   button, strip 3 x 82 x 25 (for white captions)
//   browser icons   Microsoft Edge, Brave, Vivaldi: colour and grey, 32 x 32
//                   each (the browsers beyond the four families)
//   main window     kind tab, strip 5 x 102 x 30 (normal, hover, pressed,
//                   disabled, selected; white caption on the selected one);
//                   social buttons (network page, short messages, mail,
//                   home page), strips 3 x 20 x 20 for the dark strip #22303F
//   reviews window  "Submit" button, strip 4 x 96 x 28 (normal, hover,
//                   pressed, disabled; for white captions)
//
// The program icon is ICON resource 1 with 16, 24, 32, 48 and 256 px images.
#include <cstddef>
#include <span>

enum class SkinPictureId : int {
    StarGlow = 0,
    DefaultAddon = 1,
    StarLit = 2,
    StarHalf = 3,
    StarGrey = 4,
    SwitchOff = 5,
    SwitchOn = 6,
    DeleteButton = 7,
    RowBackground = 8,
    RowSelection = 9,
    HeaderBackground = 10,
    RatingBarBack = 11,
    RatingBarFill = 12,
    BrowserButton = 13,
    BrowserIconGreyChrome = 14,
    BrowserIconGreyIe = 15,
    BrowserIconGreyFirefox = 16,
    BrowserIconGreyOpera = 17,
    EmptyList = 18,
    SmallStar = 19,
    LargeStarFull = 20,
    LargeStarEmpty = 21,
    LargeStarHalf = 22,
    Report = 23,
    ReportAnswered = 24,
    Like = 25,
    LikeAnswered = 26,
    Dislike = 27,
    DislikeAnswered = 28,
    NoReviews = 29,
    BrowserIconChrome = 30,
    BrowserIconIe = 31,
    BrowserIconFirefox = 32,
    BrowserIconOpera = 33,

    ToastInfoIcon = 100,
    ToastInfoBackground = 101,
    ToastErrorIcon = 102,
    ToastErrorBackground = 103,

    WaitFrameFirst = 200,  // frames 200 to 214; see WaitFrame

    TitleBarBackground = 300,
    TitleMenuButton = 301,
    TitleMinimiseButton = 302,
    TitleCloseButton = 303,
    Logo = 304,
    ScrollTrack = 310,
    ScrollThumb = 311,

    MessageWarning = 320,
    MessageError = 321,
    MessageInformation = 322,
    MessageQuestion = 323,
    MessageButton = 324,

    BrowserIconEdge = 340,
    BrowserIconGreyEdge = 341,
    BrowserIconBrave = 342,
    BrowserIconGreyBrave = 343,
    BrowserIconVivaldi = 344,
    BrowserIconGreyVivaldi = 345,

    KindTab = 330,
    SocialFacebook = 331,
    SocialTwitter = 332,
    SocialMail = 333,
    SocialHome = 334,

    RateSubmit = 350,
};

inline constexpr int kStorePictureCount = 34;
inline constexpr int kWaitFrameCount = 15;

// Picture n of the numbered store (0 to 33).
constexpr SkinPictureId StorePicture(int n) { return static_cast<SkinPictureId>(n); }
// Frame n (0 to 14) of the wait animation.
constexpr SkinPictureId WaitFrame(int n) {
    return static_cast<SkinPictureId>(static_cast<int>(SkinPictureId::WaitFrameFirst) + n);
}
// The RCDATA resource holding a picture at a scale (1 or 2); cmake/Skin.cmake
// numbers them the same way.
constexpr int SkinResourceNumber(SkinPictureId id, int scale) { return scale * 1000 + static_cast<int>(id); }

struct SkinPictureInfo {
    SkinPictureId id;
    int width;   // whole picture at 1x, all state slices together
    int height;
    int states;  // 3 for a strip of normal, hover and pressed; else 1
};

// Every picture the skin has, store first.
std::span<const SkinPictureInfo> SkinPictures();
// The picture's entry; nullptr for a number the skin does not have.
const SkinPictureInfo* FindSkinPicture(SkinPictureId id);

// The picture's PNG bytes at scale 1 or 2, from this program's resources.
// They stay valid for the life of the process. Empty for an unknown picture,
// another scale, or a missing resource.
std::span<const std::byte> SkinPng(SkinPictureId id, int scale);

// The scale whose pictures to draw at a DPI: 1 up to 96 DPI, else 2 (scaled
// down where the DPI is below 192, which looks better than scaling 1x up).
int SkinScaleForDpi(unsigned dpi);
