#include "ui/AddonRows.h"

#include <cmath>

#include "ui/toolkit/OrixDpi.h"

std::array<TStarLook, 5> RatingStars(double rating) {
    std::array<TStarLook, 5> stars;
    stars.fill(TStarLook::Grey);
    if (!(rating > 0)) return stars;  // also NaN
    int i = 0;
    for (; i < 5 && i + 1 <= rating; ++i) stars[i] = TStarLook::Lit;
    if (i < 5 && rating - std::floor(rating) != 0) stars[i] = TStarLook::Half;
    return stars;
}

TRowParts RowParts(int column1Left, int column1Right, int rowTop, bool hasSwitch, UINT dpi) {
    auto s = [dpi](int design) { return ScaleForDpi(design, dpi); };
    TRowParts parts{};
    parts.Rating = {column1Left + s(10), rowTop + s(17), column1Left + s(110), rowTop + s(52)};
    if (hasSwitch) parts.Toggle = {column1Right + s(10), rowTop + s(26), column1Right + s(55), rowTop + s(44)};
    parts.Delete = {column1Right + s(60), rowTop + s(25), column1Right + s(78), rowTop + s(43)};
    return parts;
}

TRowArea RowAreaAt(const TRowHitAreas& row, POINT point) {
    if (PtInRect(&row.DeleteRect, point)) return TRowArea::Delete;
    if (PtInRect(&row.ToggleRect, point)) return TRowArea::Toggle;
    if (PtInRect(&row.RatingRect, point)) return TRowArea::Rating;
    return TRowArea::None;
}

std::wstring RowNameText(const TBrowserExtensionInfo& addon, bool win64) {
    std::wstring text = addon.Name.empty() ? addon.Id : addon.Name;
    if (win64 && addon.NativeView == 1) text += L" (64)";
    return text;
}

std::wstring EmptyListKey(bool browserSelected, BrowserKind browser, int kindFilter) {
    if (!browserSelected) return L"NONEPLUGIN";
    const wchar_t* prefix = browser == BrowserKind::InternetExplorer ? L"NONEPLUGIN0_" : L"NONEPLUGIN1_";
    return prefix + std::to_wstring(kindFilter);
}
