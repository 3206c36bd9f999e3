#include "ui/ImgModule.h"

#include <string_view>

#include "app/LanguageLookup.h"
#include "ui/toolkit/OrixDpi.h"

namespace {

// The thumb's ends keep their rounding; only its middle is stretched.
constexpr int kThumbEnd = 6;
constexpr int kScrollBarWidth = 12;

UINT PrimaryMonitorDpi() { return MonitorDpiAt({0, 0}); }

}  // namespace

TimgModule::TimgModule(UINT dpi) : scale_(SkinScaleForDpi(dpi ? dpi : PrimaryMonitorDpi())) {
    // Store pictures are decoded when first asked for: the main window
    // needs about half of them, and decoding the rest would delay its start.
    scrollBarSkin_.track = Picture(SkinPictureId::ScrollTrack);
    scrollBarSkin_.thumb = Picture(SkinPictureId::ScrollThumb);
    scrollBarSkin_.thumbMargin = kThumbEnd;
    scrollBarSkin_.width = kScrollBarWidth;

    messageDialog_.ButtonPicture = Picture(SkinPictureId::MessageButton);
    messageDialog_.Icons = {Picture(SkinPictureId::MessageWarning), Picture(SkinPictureId::MessageError),
                            Picture(SkinPictureId::MessageInformation), Picture(SkinPictureId::MessageQuestion)};
    messageDialog_.Logo = Picture(SkinPictureId::Logo);
    messageDialog_.CloseButton = Picture(SkinPictureId::TitleCloseButton);
}

std::shared_ptr<const TOrixBitmap> TimgModule::Load(SkinPictureId id, int scale) const {
    const auto key = std::make_pair(static_cast<int>(id), scale);
    if (const auto found = loaded_.find(key); found != loaded_.end()) return found->second;
    const std::span<const std::byte> png = SkinPng(id, scale);
    std::shared_ptr<const TOrixBitmap> picture;
    if (!png.empty())
        picture = TOrixBitmap::FromPng(std::string_view(reinterpret_cast<const char*>(png.data()), png.size()), scale);
    // A picture that is missing stays missing: it is not looked for again.
    loaded_.emplace(key, picture);
    return picture;
}

TOrixStrip TimgModule::StripAt(SkinPictureId id, int scale) const {
    const SkinPictureInfo* info = FindSkinPicture(id);
    if (!info) return {};
    auto picture = Load(id, scale);
    if (!picture) return {};
    return {std::move(picture), info->states};
}

TOrixStrip TimgModule::Picture(SkinPictureId id) const { return StripAt(id, scale_); }

TOrixStrip TimgModule::PictureForDpi(SkinPictureId id, UINT dpi) const {
    return StripAt(id, SkinScaleForDpi(dpi ? dpi : kDesignDpi));
}

TOrixStrip TimgModule::Store(int n) const {
    if (n < 0 || n >= kStorePictureCount) return {};
    return Picture(StorePicture(n));
}

void TimgModule::SkinFrame(TOrixFrame& frame) const {
    frame.TitlePicture = Picture(SkinPictureId::TitleBarBackground);
    frame.MenuButton = Picture(SkinPictureId::TitleMenuButton);
    frame.MinimizeButton = Picture(SkinPictureId::TitleMinimiseButton);
    frame.CloseButton = Picture(SkinPictureId::TitleCloseButton);
    frame.Logo = Picture(SkinPictureId::Logo);
}

void TimgModule::TranslateMessageDialog() {
    messageDialog_.YesCaption = Translate(L"Translation", L"msgdlg.btnYes", messageDialog_.YesCaption);
    messageDialog_.NoCaption = Translate(L"Translation", L"msgdlg.btnNO", messageDialog_.NoCaption);
    messageDialog_.OkCaption = Translate(L"Translation", L"msgdlg.btnOk", messageDialog_.OkCaption);
}

TimgModule& ImgModule() {
    static TimgModule module;
    return module;
}
