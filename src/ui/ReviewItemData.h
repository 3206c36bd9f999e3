#pragma once
// What the reviews list keeps per review entry: the review as the service
// sent it, whether the user's like or dislike and report were answered, and
// where its three links were drawn at the last paint. An entry without one
// is the paging entry.
#include <windows.h>

#include <string>

#include "ui/toolkit/OrixListModel.h"

class TItemData : public TOrixRowData {
public:
    TItemData(int commentId, std::wstring nickname, std::wstring content, int score, std::wstring date);

    int CommentId;
    std::wstring Nickname;
    std::wstring Content;
    int Score;  // stars given, 1 .. 5
    std::wstring Date;
    // The like or dislike was answered: neither is offered any more.
    bool Judged = false;
    // The report was answered: it is not offered any more.
    bool Reported = false;
    // In list pixels, as last drawn.
    RECT LikeRect = {};
    RECT DislikeRect = {};
    RECT ReportRect = {};

    // The texts as they are drawn: plain, without what would not draw.
    std::wstring ShownNickname;
    std::wstring ShownDate;
    std::wstring ShownContent;
};
