#include "ui/MainWindowLayout.h"

#include <algorithm>

namespace {

constexpr int kCountLeft = 183;
constexpr int kCountWidth = 223;
constexpr int kLinkRightGap = 10;
constexpr int kComboGap = 10;
constexpr int kMinComboWidth = 90;
constexpr int kMaxComboWidth = 170;
// The count keeps this much before the drop-down shrinks below its widest.
constexpr int kCountRoom = 130;
constexpr int kCountGap = 6;

}  // namespace

int BrowserButtonHeight(int count, int bannerTop) {
    if (count <= 0) return kBrowserButtonHeight;
    const int room = bannerTop - kBannerGap - kBrowserColumnTop;
    return std::clamp(room / count, kMinBrowserButtonHeight, kBrowserButtonHeight);
}

TBrowserButtonFace BrowserButtonFace(int height) {
    if (height >= kBrowserButtonHeight) return {9, 32, -1, 35};
    const int iconSize = std::clamp(height - 8, 16, 32);
    // Two text lines of 13 pixels and a pixel between them, centred.
    const int captionTop = std::max(1, (height - 27) / 2);
    return {(height - iconSize) / 2, iconSize, captionTop, captionTop + 14};
}

TProfileHeader ProfileHeaderLayout(int clientWidth, int linkTextWidth) {
    const int comboRight = clientWidth - kLinkRightGap - std::max(0, linkTextWidth) - kComboGap;
    const int width = std::clamp(comboRight - kCountLeft - kCountRoom, kMinComboWidth, kMaxComboWidth);
    const int left = comboRight - width;
    return {left, width, std::clamp(left - kCountGap - kCountLeft, 0, kCountWidth)};
}

SkinPictureId BrowserPictureOf(BrowserId browser, BrowserKind kind, bool enabled) {
    switch (browser) {
    case BrowserId::Edge: return enabled ? SkinPictureId::BrowserIconEdge : SkinPictureId::BrowserIconGreyEdge;
    case BrowserId::Brave: return enabled ? SkinPictureId::BrowserIconBrave : SkinPictureId::BrowserIconGreyBrave;
    case BrowserId::Vivaldi:
        return enabled ? SkinPictureId::BrowserIconVivaldi : SkinPictureId::BrowserIconGreyVivaldi;
    default: break;
    }
    // The store's browser icons follow the family number.
    return StorePicture((enabled ? 29 : 13) + static_cast<int>(kind));
}
