#include "ui/ReviewLayout.h"

#include <algorithm>
#include <cstdint>

#include "ui/toolkit/OrixDpi.h"

namespace {

constexpr int kNameWidth = 120;
constexpr int kNicknameTop = 10;
constexpr int kNicknameBottom = 27;
constexpr int kDateTop = 30;
constexpr int kDateBottom = 47;
constexpr int kStarsLeft = 130;
constexpr int kStarStep = 17;
constexpr int kStarTop = 2;
constexpr int kStarSize = 15;
constexpr int kContentLeft = 130;
constexpr int kContentTop = 20;
// Room under the last line of a review, so that it does not touch the line
// that ends the entry.
constexpr int kContentBottomGap = 8;
constexpr int kLinksWidth = 200;
constexpr int kLinksLeftGap = 5;
constexpr int kLinkGap = 10;
constexpr int kLinkBoxWidth = 50;
constexpr int kLinkIcon = 16;
constexpr int kLinkTextOffset = 18;
constexpr int kLinkTop = 20;
constexpr int kLinkHeight = 16;
constexpr int kReportHeight = 18;
// The content keeps at least this much beside very long link texts.
constexpr int kContentMinWidth = 100;

int LinkBoxWidth(int textWidth, UINT dpi) {
    return std::max(ScaleForDpi(kLinkBoxWidth, dpi), ScaleForDpi(kLinkTextOffset, dpi) + std::max(0, textWidth));
}

// The left edge of the links: the entry's last 200 design pixels, or more
// when the texts need it.
int LinksLeft(const RECT& entry, const TLinkTextWidths& links, UINT dpi) {
    auto s = [dpi](int design) { return ScaleForDpi(design, dpi); };
    const int needed = s(kLinksLeftGap) + LinkBoxWidth(links.Like, dpi) + s(kLinkGap) +
                       LinkBoxWidth(links.Dislike, dpi) + s(kLinkGap) + LinkBoxWidth(links.Report, dpi) +
                       s(kLinksWidth - kLinksLeftGap - 3 * kLinkBoxWidth - 2 * kLinkGap);
    const int left = entry.right - std::max(s(kLinksWidth), needed);
    return std::max(left, static_cast<int>(entry.left) + s(kContentLeft + kContentMinWidth));
}

bool Inside(const RECT& rect, POINT point) { return PtInRect(&rect, point) != FALSE; }

}  // namespace

TReviewEntryParts ReviewEntryParts(const RECT& entry, const TLinkTextWidths& links, UINT dpi) {
    auto s = [dpi](int design) { return ScaleForDpi(design, dpi); };
    const int l = entry.left;
    const int t = entry.top;
    TReviewEntryParts parts{};
    parts.Nickname = {l, t + s(kNicknameTop), l + s(kNameWidth), t + s(kNicknameBottom)};
    parts.Date = {l, t + s(kDateTop), l + s(kNameWidth), t + s(kDateBottom)};
    for (int i = 0; i < 5; ++i) {
        const int x = l + s(kStarsLeft + kStarStep * i);
        parts.Stars[i] = {x, t + s(kStarTop), x + s(kStarSize), t + s(kStarTop + kStarSize)};
    }
    const int x0 = LinksLeft(entry, links, dpi);
    parts.Content = {l + s(kContentLeft), t + s(kContentTop), x0, entry.bottom};

    const int top = t + s(kLinkTop);
    auto place = [&](int left, int textWidth, int height, RECT& icon, RECT& text, RECT& box) {
        const int width = LinkBoxWidth(textWidth, dpi);
        icon = {left, top, left + s(kLinkIcon), top + s(kLinkIcon)};
        text = {left + s(kLinkTextOffset), top, left + width, top + s(kLinkHeight)};
        box = {left, top, left + width, top + s(height)};
        return left + width + s(kLinkGap);
    };
    int left = x0 + s(kLinksLeftGap);
    left = place(left, links.Like, kLinkHeight, parts.LikeIcon, parts.LikeText, parts.LikeRect);
    left = place(left, links.Dislike, kLinkHeight, parts.DislikeIcon, parts.DislikeText, parts.DislikeRect);
    place(left, links.Report, kReportHeight, parts.ReportIcon, parts.ReportText, parts.ReportRect);
    return parts;
}

int ReviewContentWidth(int entryWidth, const TLinkTextWidths& links, UINT dpi) {
    const TReviewEntryParts parts = ReviewEntryParts({0, 0, entryWidth, 0}, links, dpi);
    return std::max(0, static_cast<int>(parts.Content.right - parts.Content.left));
}

int ReviewEntryHeight(int contentHeight) {
    const int needed = kContentTop + std::max(0, contentHeight) + kContentBottomGap;
    return std::clamp(needed, kReviewEntryMinHeight, kReviewEntryMaxHeight);
}

TReviewLink ClickedReviewLink(const TItemData& entry, POINT point) {
    if (!entry.Judged) {
        if (Inside(entry.LikeRect, point)) return TReviewLink::Like;
        if (Inside(entry.DislikeRect, point)) return TReviewLink::Dislike;
    }
    if (!entry.Reported && Inside(entry.ReportRect, point)) return TReviewLink::Report;
    return TReviewLink::None;
}

bool OverReviewLink(const TItemData& entry, POINT point) {
    return Inside(entry.LikeRect, point) || Inside(entry.DislikeRect, point) || Inside(entry.ReportRect, point);
}

int StarInputScore(int designX) { return std::clamp(designX / kStarInputStarWidth + 1, 1, kStarInputStars); }

int StarInputLitStars(std::optional<int> hoverDesignX, int chosen) {
    if (hoverDesignX) return StarInputScore(*hoverDesignX);
    return std::clamp(chosen, 0, kStarInputStars);
}

int HistogramFillWidth(int count, int largest, int width) {
    if (count <= 0 || width <= 0) return 0;
    const std::int64_t fill = static_cast<std::int64_t>(count) * width / std::max(1, largest);
    return static_cast<int>(std::min<std::int64_t>(fill, width));
}
