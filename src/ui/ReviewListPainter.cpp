#include "ui/ReviewListPainter.h"

#include <algorithm>

#include "app/LanguageLookup.h"
#include "ui/ImgModule.h"
#include "ui/toolkit/OrixForm.h"

namespace {

constexpr COLORREF kText = OrixRgb(0x000000);
constexpr COLORREF kDate = OrixRgb(0x848484);
constexpr COLORREF kLink = OrixRgb(0x0000FF);
constexpr COLORREF kPaging = OrixRgb(0x1695E6);
constexpr COLORREF kEmptyText = OrixRgb(0xBDBDBD);
constexpr COLORREF kEntryLine = OrixRgb(0xD2D2D2);
constexpr int kEmptyPictureRaise = 30;
constexpr int kEmptyTextGap = 10;
constexpr int kScoreStar = 2;
constexpr UINT kLineFormat = DT_SINGLELINE | DT_CENTER | DT_END_ELLIPSIS | DT_NOPREFIX;
// Wrapped at words; a word longer than the line is broken (as an edit box
// does), and a line that would show only in part is left out.
constexpr UINT kContentFormat = DT_WORDBREAK | DT_EDITCONTROL | DT_NOPREFIX;

std::wstring RateText(const wchar_t* key, const wchar_t* fallback) {
    return Translate(L"Translation", key, fallback);
}

const wchar_t* LinkKey(TReviewLink link) {
    switch (link) {
    case TReviewLink::Like: return L"TfrmKoltRate.DrawString2";
    case TReviewLink::Dislike: return L"TfrmKoltRate.DrawString3";
    default: return L"TfrmKoltRate.DrawString4";
    }
}

const wchar_t* LinkFallback(TReviewLink link) {
    switch (link) {
    case TReviewLink::Like: return L"Like";
    case TReviewLink::Dislike: return L"Dislike";
    default: return L"Report";
    }
}

void Follow(TOrixFont& font, const TOrixFont& base) {
    if (font.Name() != base.Name() || font.Height() != base.Height() || font.Charset() != base.Charset())
        font.CopyFrom(base);
}

int TextWidth(HDC dc, const std::wstring& text, const TOrixFont& font, UINT dpi) {
    const SelectedObject selected(dc, font.Handle(dpi));
    SIZE size = {};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
    return size.cx;
}

}  // namespace

TReviewListPainter::TReviewListPainter(TOrixListView& list) : list_(list) {
    fonts_.Nickname.SetColor(kText);
    fonts_.Date.SetColor(kDate);
    fonts_.Content.SetColor(kText);
    fonts_.Link.SetColor(kLink);
    fonts_.LinkHot.SetColor(kLink);
    fonts_.LinkHot.SetUnderline(true);
    fonts_.Paging.SetColor(kPaging);
    fonts_.Paging.SetUnderline(true);
    fonts_.EmptyText.SetColor(kEmptyText);
}

const TReviewListPainter::Fonts& TReviewListPainter::CurrentFonts() {
    static const TOrixFont fallback;
    TOrixForm* form = list_.OwnerForm();
    const TOrixFont& base = form ? form->Font() : fallback;
    for (TOrixFont* font : {&fonts_.Nickname, &fonts_.Date, &fonts_.Content, &fonts_.Link, &fonts_.LinkHot,
                            &fonts_.LinkAnswered, &fonts_.Paging, &fonts_.EmptyText})
        Follow(*font, base);
    return fonts_;
}

const TLinkTextWidths& TReviewListPainter::LinkWidths(UINT dpi) {
    const Fonts& fonts = CurrentFonts();
    std::wstring key = fonts.Link.Name() + L"|" + std::to_wstring(fonts.Link.Height()) + L"|" +
                       std::to_wstring(fonts.Link.Charset()) + L"|" + std::to_wstring(dpi);
    const TReviewLink links[] = {TReviewLink::Like, TReviewLink::Dislike, TReviewLink::Report};
    for (TReviewLink link : links) key += L"|" + RateText(LinkKey(link), LinkFallback(link));
    if (key == measuredFor_) return linkWidths_;
    const UniqueDc dc(CreateCompatibleDC(nullptr));
    // The underlined look under the mouse is no wider than the plain one.
    auto width = [&](TReviewLink link) {
        return dc ? TextWidth(dc.get(), RateText(LinkKey(link), LinkFallback(link)), fonts.Link, dpi) : 0;
    };
    linkWidths_ = {width(TReviewLink::Like), width(TReviewLink::Dislike), width(TReviewLink::Report)};
    measuredFor_ = std::move(key);
    return linkWidths_;
}

RECT TReviewListPainter::EntryArea(const RECT& row) const {
    const int width = list_.ClientWidth() - list_.Scale(ImgModule().ScrollBarSkin().width);
    return {row.left, row.top, std::max(static_cast<int>(row.left), width), row.bottom};
}

TReviewEntryParts TReviewListPainter::PartsOf(int index) {
    return ReviewEntryParts(EntryArea(list_.RowRect(index)), LinkWidths(list_.Dpi()), list_.Dpi());
}

int TReviewListPainter::EntryHeight(const TItemData& entry) {
    const UINT dpi = list_.Dpi();
    const RECT area = EntryArea({0, 0, 0, 0});
    const int width = ReviewContentWidth(area.right - area.left, LinkWidths(dpi), dpi);
    if (entry.ShownContent.empty() || width <= 0) return ReviewEntryHeight(0);
    const UniqueDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return ReviewEntryHeight(0);
    const TOrixFont& font = CurrentFonts().Content;
    const SelectedObject selected(dc.get(), font.Handle(dpi));
    RECT rect = {0, 0, width, 0};
    DrawTextW(dc.get(), entry.ShownContent.c_str(), static_cast<int>(entry.ShownContent.size()), &rect,
              kContentFormat | DT_CALCRECT);
    // Rounded up, so that the last line is never the one left out.
    const int designHeight = MulDiv(rect.bottom - rect.top, kDesignDpi, static_cast<int>(dpi)) + 1;
    return ReviewEntryHeight(designHeight);
}

POINT TReviewListPainter::MouseInList() const {
    POINT mouse = {-1, -1};
    if (!list_.Hovered()) return mouse;
    GetCursorPos(&mouse);
    ScreenToClient(list_.Handle(), &mouse);
    return mouse;
}

void TReviewListPainter::PaintLink(TOrixCanvas& canvas, TReviewLink link, const TReviewEntryParts& parts,
                                   bool answered, POINT mouse) {
    const TimgModule& images = ImgModule();
    const RECT* icon = &parts.ReportIcon;
    const RECT* text = &parts.ReportText;
    const RECT* box = &parts.ReportRect;
    int picture = answered ? 24 : 23;
    if (link == TReviewLink::Like) {
        icon = &parts.LikeIcon, text = &parts.LikeText, box = &parts.LikeRect;
        picture = answered ? 26 : 25;
    } else if (link == TReviewLink::Dislike) {
        icon = &parts.DislikeIcon, text = &parts.DislikeText, box = &parts.DislikeRect;
        picture = answered ? 28 : 27;
    }
    canvas.Picture(images.Store(picture), 0, *icon);
    const Fonts& fonts = CurrentFonts();
    fonts_.LinkAnswered.SetColor(GetSysColor(COLOR_GRAYTEXT));
    const TOrixFont& font = answered ? fonts.LinkAnswered : PtInRect(box, mouse) ? fonts.LinkHot : fonts.Link;
    canvas.Text(RateText(LinkKey(link), LinkFallback(link)), *text, font, DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX);
}

void TReviewListPainter::PaintEntry(TOrixCanvas& canvas, int index, const RECT& row) {
    const Fonts& fonts = CurrentFonts();
    const bool keyboard = list_.Focused() && index == list_.Selected();
    auto* entry = list_.Rows().DataAs<TItemData>(index);
    if (!entry) {
        const std::wstring text = Translate(L"Messages", L"NextData", L"");
        canvas.Text(text, row, fonts.Paging, DT_SINGLELINE | DT_CENTER | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        if (keyboard) {
            RECT focus = row;
            InflateRect(&focus, -canvas.Scale(2), -canvas.Scale(2));
            canvas.FocusFrame(focus);
        }
        return;
    }
    const TReviewEntryParts parts = ReviewEntryParts(EntryArea(row), LinkWidths(canvas.Dpi()), canvas.Dpi());
    canvas.Text(entry->ShownNickname, parts.Nickname, fonts.Nickname, kLineFormat);
    canvas.Text(entry->ShownDate, parts.Date, fonts.Date, kLineFormat);
    const TOrixStrip star = ImgModule().Store(kScoreStar);
    for (int i = 0; i < std::clamp(entry->Score, 0, 5); ++i) canvas.Picture(star, 0, parts.Stars[i]);
    canvas.Text(entry->ShownContent, parts.Content, fonts.Content, kContentFormat);

    const POINT mouse = MouseInList();
    PaintLink(canvas, TReviewLink::Like, parts, entry->Judged, mouse);
    PaintLink(canvas, TReviewLink::Dislike, parts, entry->Judged, mouse);
    PaintLink(canvas, TReviewLink::Report, parts, entry->Reported, mouse);
    entry->LikeRect = parts.LikeRect;
    entry->DislikeRect = parts.DislikeRect;
    entry->ReportRect = parts.ReportRect;
    if (keyboard) {
        const RECT& focused = FocusedLink == TReviewLink::Dislike  ? parts.DislikeRect
                              : FocusedLink == TReviewLink::Report ? parts.ReportRect
                                                                   : parts.LikeRect;
        RECT focus = focused;
        InflateRect(&focus, canvas.Scale(2), canvas.Scale(1));
        canvas.FocusFrame(focus);
    }
    canvas.Fill({row.left, row.bottom - 1, row.right, row.bottom}, kEntryLine);
}

RECT TReviewListPainter::EmptyPicture(int clientWidth, int clientHeight, UINT dpi) const {
    const TOrixStrip picture = ImgModule().Store(29);
    const int w = ScaleForDpi(picture.DesignWidth(), dpi);
    const int h = ScaleForDpi(picture.DesignHeight(), dpi);
    const int x = (clientWidth - w) / 2;
    const int y = (clientHeight - h) / 2 - ScaleForDpi(kEmptyPictureRaise, dpi);
    return {x, y, x + w, y + h};
}

void TReviewListPainter::PaintEmptyList(TOrixCanvas& canvas, const RECT& client) {
    const RECT picture = EmptyPicture(client.right - client.left, client.bottom - client.top, canvas.Dpi());
    canvas.Picture(ImgModule().Store(29), 0, picture);
    const std::wstring text = Translate(L"Messages", L"NONERATE", L"");
    if (text.empty()) return;
    const TOrixFont& font = CurrentFonts().EmptyText;
    const SIZE size = canvas.MeasureText(text, font, 0, DT_SINGLELINE | DT_NOPREFIX);
    const int left = (client.right - client.left - size.cx) / 2;
    const int top = picture.bottom + canvas.Scale(kEmptyTextGap);
    canvas.Text(text, {left, top, left + size.cx, top + size.cy}, font, DT_SINGLELINE | DT_NOPREFIX);
}
