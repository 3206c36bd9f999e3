#include "ui/AddonListPainter.h"

#include "app/LanguageLookup.h"
#include "browsers/DefaultBrowser.h"
#include "platform/GdiplusInclude.h"
#include "platform/SystemInfo.h"
#include "ui/AddonRows.h"
#include "ui/ImgModule.h"
#include "ui/MainWindowLayout.h"
#include "ui/toolkit/OrixForm.h"

namespace {

constexpr COLORREF kEvenRow = OrixRgb(0xEFEFEF);
constexpr COLORREF kDescription = OrixRgb(0x848484);
constexpr COLORREF kRatingCaption = OrixRgb(0x1695E6);
constexpr COLORREF kEmptyText = OrixRgb(0xBDBDBD);
constexpr COLORREF kDefaultMark = OrixRgb(0x848484);

std::wstring MainText(const wchar_t* key, const wchar_t* fallback) {
    return Translate(L"Translation", key, fallback);
}

// 0 normal, 1 under the mouse, 2 under the mouse with the button down.
int ButtonState(const RECT& rect, POINT mouse) {
    if (!PtInRect(&rect, mouse)) return 0;
    return (GetKeyState(VK_LBUTTON) & 0x8000) ? 2 : 1;
}

void Follow(TOrixFont& font, const TOrixFont& base) {
    if (font.Name() != base.Name() || font.Height() != base.Height() || font.Charset() != base.Charset())
        font.CopyFrom(base);
}

const TOrixFont& WindowFont(const TOrixControl& control) {
    static const TOrixFont fallback;
    TOrixForm* form = control.OwnerForm();
    return form ? form->Font() : fallback;
}

}  // namespace

TAddonListPainter::TAddonListPainter(TOrixListView& list, Selection selection)
    : list_(list), selection_(std::move(selection)) {
    fonts_.Name.SetBold(true);
    fonts_.Description.SetColor(kDescription);
    fonts_.Caption.SetColor(kRatingCaption);
    fonts_.CaptionHot.SetColor(kRatingCaption);
    fonts_.CaptionHot.SetUnderline(true);
    fonts_.EmptyText.SetColor(kEmptyText);
    fonts_.DefaultMark.SetColor(kDefaultMark);
}

const TAddonListPainter::Fonts& TAddonListPainter::FontsFor(const TOrixControl& control) const {
    const TOrixFont& base = WindowFont(control);
    for (TOrixFont* font : {&fonts_.Name, &fonts_.Description, &fonts_.Caption, &fonts_.CaptionHot,
                            &fonts_.EmptyText, &fonts_.DefaultMark})
        Follow(*font, base);
    return fonts_;
}

POINT TAddonListPainter::MouseInList() const {
    POINT mouse;
    GetCursorPos(&mouse);
    ScreenToClient(list_.Handle(), &mouse);
    return mouse;
}

void TAddonListPainter::PaintRowBackground(TOrixCanvas& canvas, int index, const RECT& row) const {
    if (index % 2 == 0) canvas.Fill({0, row.top, row.right, row.bottom}, kEvenRow);
}

void TAddonListPainter::PaintRow(TOrixCanvas& canvas, int index, const RECT& row) {
    auto* areas = list_.Rows().DataAs<TRowHitAreas>(index);
    if (!areas || !areas->Addon) return;
    const TBrowserExtensionInfo& addon = *areas->Addon;
    PaintPicture(canvas, addon, row);

    const Fonts& fonts = FontsFor(list_);
    const int textRight = list_.ColumnRight(0);
    const RECT nameLine = {canvas.Scale(68), row.top + canvas.Scale(16), textRight, row.bottom};
    canvas.Text(RowNameText(addon, IsWin64), nameLine, fonts.Name, DT_SINGLELINE | DT_NOPREFIX);
    const RECT descriptionLine = {canvas.Scale(68), row.top + canvas.Scale(36), textRight, row.bottom};
    canvas.Text(addon.Description, descriptionLine, fonts.Description,
                DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);

    // Rows scrolled out of sight keep the parts of their last visible paint.
    if (row.top <= -canvas.Scale(20) || row.top >= list_.ClientHeight()) return;
    const TBrowserAppBase* browser = selection_.Browser ? selection_.Browser() : nullptr;
    const bool hasSwitch = browser && HasAddonSwitch(browser->Kind, addon.Kind);
    const TRowParts parts = RowParts(list_.ColumnLeft(1), list_.ColumnRight(1), row.top, hasSwitch, canvas.Dpi());
    const POINT mouse = MouseInList();
    areas->RatingRect = parts.Rating;
    PaintRating(canvas, *areas, mouse);
    areas->ToggleRect = parts.Toggle;
    if (hasSwitch) PaintToggle(canvas, parts.Toggle, addon, mouse);
    areas->DeleteRect = parts.Delete;
    PaintDelete(canvas, parts.Delete, mouse);
}

void TAddonListPainter::PaintPicture(TOrixCanvas& canvas, const TBrowserExtensionInfo& addon, const RECT& row) const {
    const RECT box = {row.left + canvas.Scale(10), row.top + canvas.Scale(11), row.left + canvas.Scale(58),
                      row.top + canvas.Scale(59)};
    if (!addon.Icon) {
        canvas.Picture(ImgModule().Store(1), 0, box);
        return;
    }
    Gdiplus::Graphics graphics(canvas.Dc());
    graphics.SetInterpolationMode(Gdiplus::InterpolationModeHighQualityBicubic);
    graphics.SetPixelOffsetMode(Gdiplus::PixelOffsetModeHalf);
    graphics.DrawImage(addon.Icon.get(), Gdiplus::Rect(box.left, box.top, box.right - box.left, box.bottom - box.top));
}

void TAddonListPainter::PaintRating(TOrixCanvas& canvas, const TRowHitAreas& areas, POINT mouse) const {
    const RECT& area = areas.RatingRect;
    const Fonts& fonts = FontsFor(list_);
    const TOrixFont& caption = PtInRect(&area, mouse) ? fonts.CaptionHot : fonts.Caption;
    canvas.Text(MainText(L"TfrmKoltMain.Ratings", L"Details"),
                {area.left + canvas.Scale(2), area.top + canvas.Scale(2), area.right, area.bottom}, caption,
                DT_SINGLELINE | DT_NOPREFIX);

    const TimgModule& images = ImgModule();
    const auto stars = RatingStars(areas.Addon->Rating);
    for (int i = 0; i < 5; ++i) {
        const int picture = stars[i] == TStarLook::Lit ? 2 : stars[i] == TStarLook::Half ? 3 : 4;
        const int x = area.left + canvas.Scale(2 + i * 19);
        const int y = area.top + canvas.Scale(20);
        canvas.Picture(images.Store(picture), 0, {x, y, x + canvas.Scale(15), y + canvas.Scale(15)});
    }
}

void TAddonListPainter::PaintToggle(TOrixCanvas& canvas, const RECT& rect, const TBrowserExtensionInfo& addon,
                                    POINT mouse) const {
    if (switchOff_.Empty()) switchOff_ = ImgModule().Store(5);
    if (switchOn_.Empty()) switchOn_ = ImgModule().Store(6);
    canvas.Picture(addon.Disabled ? switchOff_ : switchOn_, ButtonState(rect, mouse), rect);
}

void TAddonListPainter::PaintDelete(TOrixCanvas& canvas, const RECT& rect, POINT mouse) const {
    if (delete_.Empty()) delete_ = ImgModule().Store(7);
    canvas.Picture(delete_, ButtonState(rect, mouse), rect);
}

void TAddonListPainter::PaintEmptyList(TOrixCanvas& canvas, const RECT& client) const {
    const TOrixStrip picture = ImgModule().Store(18);
    const int w = canvas.Scale(picture.DesignWidth());
    const int h = canvas.Scale(picture.DesignHeight());
    const int width = client.right - client.left;
    const int height = client.bottom - client.top;
    const int x = (width - w) / 2;
    const int y = (height - h) / 2 - canvas.Scale(30);
    canvas.Picture(picture, 0, {x, y, x + w, y + h});

    const TBrowserAppBase* browser = selection_.Browser ? selection_.Browser() : nullptr;
    const int filter = selection_.KindFilter ? selection_.KindFilter() : 0;
    const BrowserKind kind = browser ? browser->Kind : BrowserKind::None;
    std::wstring text = Translate(L"Messages", EmptyListKey(browser != nullptr, kind, filter), L"");
    // The language files keep Internet Explorer's context-menu text under
    // the third tab's number, as the tab was once numbered.
    if (text.empty() && kind == BrowserKind::InternetExplorer && filter == 4)
        text = Translate(L"Messages", L"NONEPLUGIN0_3", L"");
    if (text.empty()) return;
    const TOrixFont& font = FontsFor(list_).EmptyText;
    const SIZE size = canvas.MeasureText(text, font, 0, DT_SINGLELINE | DT_NOPREFIX);
    const int left = (width - size.cx) / 2;
    const int top = y + h + canvas.Scale(10);
    canvas.Text(text, {left, top, left + size.cx, top + size.cy}, font, DT_SINGLELINE | DT_NOPREFIX);
}

void TAddonListPainter::RowMouseMove(int x, int y, int index) {
    auto* areas = list_.Rows().DataAs<TRowHitAreas>(index);
    std::wstring hint;
    if (areas) {
        switch (RowAreaAt(*areas, {x, y})) {
        case TRowArea::Delete: hint = MainText(L"TfrmKoltMain.btnDel.hint", L"Delete"); break;
        case TRowArea::Toggle: hint = MainText(L"TfrmKoltMain.btnDisable.hint", L"Disable"); break;
        case TRowArea::Rating: hint = MainText(L"TfrmKoltMain.Ratings", L"Details"); break;
        case TRowArea::None: break;
        }
    }
    if (hint.empty()) {
        list_.SetCursor(nullptr);
        list_.HideHint();
    } else {
        list_.SetCursor(LoadCursorW(nullptr, IDC_HAND));
        list_.ShowHintAt(hint, {x, y});
    }
    // Also when the mouse has just left a part, so no hover look stays behind.
    list_.InvalidateRow(index);
}

void TAddonListPainter::PaintBrowserButton(TOrixButton& button, TOrixCanvas& canvas) const {
    const auto* adapter = reinterpret_cast<const TBrowserAppBase*>(button.Tag());
    if (!adapter) return;
    // Buttons shrink when many browsers share the column.
    const TBrowserButtonFace face = BrowserButtonFace(button.DesignBounds().height);
    const int left = canvas.Scale(10);
    const int top = canvas.Scale(face.iconTop);
    const int size = canvas.Scale(face.iconSize);
    if (adapter->IconHandle) {
        DrawIconEx(canvas.Dc(), left, top, adapter->IconHandle.get(), size, size, 0, nullptr, DI_NORMAL);
    } else {
        canvas.Picture(ImgModule().Picture(BrowserPictureOf(adapter->Browser, adapter->Kind, button.Enabled())), 0,
                       {left, top, left + size, top + size});
    }
    if (!IsDefaultBrowser(*adapter)) return;
    const TOrixFont& font = FontsFor(button).DefaultMark;
    const std::wstring mark = MainText(L"TfrmKoltMain.default", L"(Default)");
    // A long translation ends in "..." inside the button rather than at its edge.
    canvas.Text(mark,
                {canvas.Scale(60), canvas.Scale(face.markTop), button.ClientWidth() - canvas.Scale(6),
                 button.ClientHeight()},
                font, DT_SINGLELINE | DT_NOPREFIX | DT_END_ELLIPSIS);
}
