#pragma once
// The message by which rating conversations report to their windows, with
// the reply codes of the service and the client's own codes.
#include <windows.h>

#include <cstdint>

// WParam: a code; LParam: a value that depends on it (a comment id, the
// add-on record of a rating, or 0).
constexpr UINT WM_RATING_RESULT = 0x12E4;

namespace RateCode {
constexpr int NotVerified = 0;
constexpr int PlugInfo = 1;
constexpr int PlugUnknown = 2;
constexpr int CommentFailed = 3;
constexpr int CommentStored = 4;
constexpr int LastPage = 5;
constexpr int MorePages = 6;
constexpr int ReportStored = 7;
constexpr int JudgementStored = 8;
constexpr int Ratings = 9;
constexpr int AlreadyJudged = 10;
constexpr int AlreadyCommented = 11;
constexpr int AlreadyReported = 12;
constexpr int KeyFollows = 13;
// The client's own codes.
constexpr int BatchDelivered = 0xFFFE;
constexpr int Unreadable = 0xFFFF;
}  // namespace RateCode

// One add-on's rating of the batch: low 16 bits 9, high 16 bits the tenths.
constexpr WPARAM RatingDeliveryParam(int tenths) {
    return static_cast<WPARAM>(tenths) * 65536u + RateCode::Ratings;
}
constexpr bool IsRatingDelivery(WPARAM wParam) { return (wParam & 0xFFFF) == RateCode::Ratings; }
constexpr double DeliveredRating(WPARAM wParam) { return static_cast<double>((wParam >> 16) & 0xFFFF) / 10.0; }
