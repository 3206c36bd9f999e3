#include "ui/BrivoAd.h"

#include <algorithm>
#include <cstdlib>

#include "app/LanguageLookup.h"
#include "gfx/PngPicture.h"
#include "net/WebAddress.h"
#include "platform/GdiplusInclude.h"
#include "platform/ShellHelpers.h"
#include "platform/SystemInfo.h"
#include "platform/VersionInfo.h"

namespace {

constexpr UINT kTextFormat = DT_LEFT | DT_NOPREFIX | DT_END_ELLIPSIS;

}  // namespace

TBrivoAd::TBrivoAd(TOrixImage& imageBox) : imageBox_(imageBox) {
    ad_.Align = -1;
    imageBox_.OnPaint = [this](TOrixImage&, TOrixCanvas& canvas) { Paint(canvas); };
    imageBox_.OnClick = [this](TOrixControl&) { Click(); };
    imageBox_.OnMouseEnter = [this](TOrixControl&) { SetHover(true); };
    imageBox_.OnMouseLeave = [this](TOrixControl&) { SetHover(false); };
    reader_.AppVersion = ProgramDisplayVersion();
    reader_.CacheFolder = AppDataDir + L"UpdateInfo\\";
    reader_.Lang = LanguageFilePath();
    reader_.OnAdReady = [this](TBrivoADReader& reader, const TagBrivoAdInfo& ad) { AdReady(reader, ad); };
}

void TBrivoAd::Start() {
    if (AppDataDir.empty()) return;
    CreateDirectoryW(reader_.CacheFolder.c_str(), nullptr);
    reader_.Start();
}

void TBrivoAd::AdReady(TBrivoADReader&, const TagBrivoAdInfo& ad) {
    ad_ = ad;
    adImage_.reset();
    if (ad_.Align >= 0 && ad_.Align <= 4) {
        // Aligns 0 to 3 always hold a picture; without one it is empty.
        if (ad.Image) adImage_ = ClonePicture(*ad.Image);
    }
    // Clickable only with a link that may be opened.
    imageBox_.SetCursor(IsWebAddress(ad_.Link) ? LoadCursorW(nullptr, IDC_HAND) : nullptr);
    imageBox_.Invalidate();
}

void TBrivoAd::SetHover(bool hover) {
    hover_ = hover;
    imageBox_.Invalidate();
}

void TBrivoAd::Click() {
    // The link comes from the server: only a web address reaches the shell.
    if (!ad_.Link.empty() && IsWebAddress(ad_.Link)) OpenUrl(nullptr, ad_.Link);
}

void TBrivoAd::Paint(TOrixCanvas& canvas) {
    if (ad_.Align < 0 || ad_.Align > 5) return;
    TOrixFont font;
    font.SetName(ad_.FontName.empty() ? std::wstring(L"Tahoma") : ad_.FontName);
    if (ad_.FontSize > 0) font.SetSize(ad_.FontSize);
    font.SetColor(hover_ ? ad_.FontColorOver : ad_.FontColor);
    SetBkMode(canvas.Dc(), TRANSPARENT);

    const int left = canvas.Scale(ad_.Rect.Left);
    const int top = canvas.Scale(ad_.Rect.Top);
    const int rw = canvas.Scale(ad_.Rect.Right - ad_.Rect.Left);
    const int rh = canvas.Scale(ad_.Rect.Bottom - ad_.Rect.Top);
    const int w = adImage_ ? static_cast<int>(adImage_->GetWidth()) : 0;
    const int h = adImage_ ? static_cast<int>(adImage_->GetHeight()) : 0;
    const auto picture = [&](int x, int y) {
        if (w == 0 || h == 0) return;
        Gdiplus::Graphics graphics(canvas.Dc());
        graphics.DrawImage(adImage_.get(), Gdiplus::Rect(x, y, w, h));
    };
    const auto text = [&](int l, int t, int r, int b) { canvas.Text(ad_.Title, {l, t, r, b}, font, kTextFormat); };
    const auto d = [&] { return std::abs(h - canvas.MeasureText(L"a", font, 0, DT_SINGLELINE).cy) / 2; };

    switch (ad_.Align) {
    case 0:  // picture left, text right
        picture(left, top);
        text(left + w, top + d(), left + w + rw, top + rh);
        break;
    case 1:  // picture above text
        picture(left, top);
        text(left, top + h, left + rw, top + rh);
        break;
    case 2: {  // text left, picture right
        const int tw = canvas.MeasureText(ad_.Title, font, 0, kTextFormat).cx;
        text(left, top + d(), left + rw, top + rh);
        picture(left + tw, top);
        break;
    }
    case 3: {  // text above picture
        const int th = canvas.MeasureText(ad_.Title, font, 0, kTextFormat).cy;
        text(left, top, left + rw, top + rh);
        picture(left, top + th);
        break;
    }
    case 4:  // the picture alone in its own size
        picture(0, 0);
        break;
    case 5:  // the text alone
        text(left, top, left + rw, top + rh);
        break;
    default:
        break;
    }
}
