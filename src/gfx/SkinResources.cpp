#include "gfx/SkinResources.h"

#include <windows.h>

#include <algorithm>
#include <array>
#include <iterator>

namespace {

using Id = SkinPictureId;

constexpr SkinPictureInfo kFixedPictures[] = {
    {Id::StarGlow, 19, 19, 1},
    {Id::DefaultAddon, 48, 48, 1},
    {Id::StarLit, 15, 15, 1},
    {Id::StarHalf, 15, 15, 1},
    {Id::StarGrey, 15, 15, 1},
    {Id::SwitchOff, 135, 18, 3},
    {Id::SwitchOn, 135, 18, 3},
    {Id::DeleteButton, 54, 18, 3},
    {Id::RowBackground, 20, 70, 1},
    {Id::RowSelection, 10, 10, 1},
    {Id::HeaderBackground, 90, 25, 1},
    {Id::RatingBarBack, 9, 9, 1},
    {Id::RatingBarFill, 9, 9, 1},
    {Id::BrowserButton, 513, 50, 3},
    {Id::BrowserIconGreyChrome, 32, 32, 1},
    {Id::BrowserIconGreyIe, 32, 32, 1},
    {Id::BrowserIconGreyFirefox, 32, 32, 1},
    {Id::BrowserIconGreyOpera, 32, 32, 1},
    {Id::EmptyList, 100, 100, 1},
    {Id::SmallStar, 11, 11, 1},
    {Id::LargeStarFull, 21, 21, 1},
    {Id::LargeStarEmpty, 21, 21, 1},
    {Id::LargeStarHalf, 21, 21, 1},
    {Id::Report, 16, 16, 1},
    {Id::ReportAnswered, 16, 16, 1},
    {Id::Like, 16, 16, 1},
    {Id::LikeAnswered, 16, 16, 1},
    {Id::Dislike, 16, 16, 1},
    {Id::DislikeAnswered, 16, 16, 1},
    {Id::NoReviews, 100, 100, 1},
    {Id::BrowserIconChrome, 32, 32, 1},
    {Id::BrowserIconIe, 32, 32, 1},
    {Id::BrowserIconFirefox, 32, 32, 1},
    {Id::BrowserIconOpera, 32, 32, 1},

    {Id::ToastInfoIcon, 24, 24, 1},
    {Id::ToastInfoBackground, 160, 35, 1},
    {Id::ToastErrorIcon, 24, 24, 1},
    {Id::ToastErrorBackground, 160, 35, 1},

    {Id::TitleBarBackground, 10, 30, 1},
    {Id::TitleMenuButton, 90, 30, 3},
    {Id::TitleMinimiseButton, 90, 30, 3},
    {Id::TitleCloseButton, 90, 30, 3},
    {Id::Logo, 20, 20, 1},
    {Id::ScrollTrack, 12, 12, 1},
    {Id::ScrollThumb, 36, 40, 3},

    {Id::MessageWarning, 32, 32, 1},
    {Id::MessageError, 32, 32, 1},
    {Id::MessageInformation, 32, 32, 1},
    {Id::MessageQuestion, 32, 32, 1},
    {Id::MessageButton, 246, 25, 3},

    {Id::BrowserIconEdge, 32, 32, 1},
    {Id::BrowserIconGreyEdge, 32, 32, 1},
    {Id::BrowserIconBrave, 32, 32, 1},
    {Id::BrowserIconGreyBrave, 32, 32, 1},
    {Id::BrowserIconVivaldi, 32, 32, 1},
    {Id::BrowserIconGreyVivaldi, 32, 32, 1},

    {Id::KindTab, 510, 30, 5},
    {Id::SocialFacebook, 60, 20, 3},
    {Id::SocialTwitter, 60, 20, 3},
    {Id::SocialMail, 60, 20, 3},
    {Id::SocialHome, 60, 20, 3},

    {Id::RateSubmit, 384, 28, 4},
};

constexpr std::size_t kPictureCount = std::size(kFixedPictures) + kWaitFrameCount;

constexpr std::array<SkinPictureInfo, kPictureCount> kPictures = [] {
    std::array<SkinPictureInfo, kPictureCount> all{};
    std::copy(std::begin(kFixedPictures), std::end(kFixedPictures), all.begin());
    for (int n = 0; n < kWaitFrameCount; ++n)
        all[std::size(kFixedPictures) + n] = {WaitFrame(n), 190, 220, 1};
    return all;
}();

}  // namespace

std::span<const SkinPictureInfo> SkinPictures() { return kPictures; }

const SkinPictureInfo* FindSkinPicture(SkinPictureId id) {
    const auto found = std::find_if(kPictures.begin(), kPictures.end(),
                                    [id](const SkinPictureInfo& p) { return p.id == id; });
    return found == kPictures.end() ? nullptr : &*found;
}

std::span<const std::byte> SkinPng(SkinPictureId id, int scale) {
    if ((scale != 1 && scale != 2) || !FindSkinPicture(id)) return {};
    // Resources of the program's own image; they stay mapped until it ends.
    const HMODULE module = GetModuleHandleW(nullptr);
    const HRSRC resource = FindResourceW(module, MAKEINTRESOURCEW(SkinResourceNumber(id, scale)), RT_RCDATA);
    if (!resource) return {};
    const HGLOBAL loaded = LoadResource(module, resource);
    const DWORD size = SizeofResource(module, resource);
    const void* bytes = loaded ? LockResource(loaded) : nullptr;
    if (!bytes || size == 0) return {};
    return {static_cast<const std::byte*>(bytes), size};
}

int SkinScaleForDpi(unsigned dpi) { return dpi <= 96 ? 1 : 2; }
