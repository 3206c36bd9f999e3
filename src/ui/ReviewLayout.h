#pragma once
// The rules of the reviews window that need no drawing: where the parts of
// a review entry go, how high an entry is, which link a point hits, what
// the star input shows and chooses, and how much of a histogram bar is
// filled. Positions are pixels; offsets are design pixels scaled for the DPI.
// Painting, measuring and hit-testing all take their places from here.
#include <windows.h>

#include <array>
#include <optional>

#include "ui/ReviewItemData.h"

// The texts "Like", "Dislike" and "Report" as wide as they are drawn, in
// pixels. Each link's box is as wide as its icon and text need, at least
// 50 design pixels; with short texts the links take the entry's last 200.
struct TLinkTextWidths {
    int Like = 0;
    int Dislike = 0;
    int Report = 0;
};

struct TReviewEntryParts {
    RECT Nickname;
    RECT Date;
    std::array<RECT, 5> Stars;  // the given stars, left to right
    RECT Content;
    RECT LikeIcon, DislikeIcon, ReportIcon;
    RECT LikeText, DislikeText, ReportText;
    // What a click or the hand cursor reacts to.
    RECT LikeRect, DislikeRect, ReportRect;
};

// The parts of the entry that covers `entry`.
TReviewEntryParts ReviewEntryParts(const RECT& entry, const TLinkTextWidths& links, UINT dpi);

// The width the content of an entry `entryWidth` pixels wide is wrapped to.
int ReviewContentWidth(int entryWidth, const TLinkTextWidths& links, UINT dpi);

inline constexpr int kReviewEntryMinHeight = 60;
inline constexpr int kReviewEntryMaxHeight = 220;
// The height in design pixels of an entry whose content, wrapped to its
// width, is contentHeight design pixels high: what the content needs below
// its top offset, within 60 .. 220 (a longer text is clipped).
int ReviewEntryHeight(int contentHeight);

enum class TReviewLink { None, Like, Dislike, Report };

// The link a click at the point acts on: like and dislike until the user's
// judgement was answered, report until the report was.
TReviewLink ClickedReviewLink(const TItemData& entry, POINT point);
// Whether the point is over one of the three links, answered or not (the
// hand cursor shows there).
bool OverReviewLink(const TItemData& entry, POINT point);

// The star input: five stars of 21 design pixels side by side.
inline constexpr int kStarInputStarWidth = 21;
inline constexpr int kStarInputStars = 5;
// The score a click at x (design pixels in the box) chooses: 1 to 5.
int StarInputScore(int designX);
// Stars shown full: the preview while the mouse is over the box (its
// design x), the chosen score otherwise.
int StarInputLitStars(std::optional<int> hoverDesignX, int chosen);

// How many pixels of a bar `width` pixels wide the fill covers for `count`
// reviews when the largest of the five counts is `largest`: count divided by
// the largest (at least 1), truncated; nothing for a count below zero.
int HistogramFillWidth(int count, int largest, int width);
