#pragma once
// The reply of get_plugs_rating: plain UTF-8 text in lines (CR LF, LF or CR)
// of the form name=value. "msg" holds the reply code; with code 9 each
// add-on's line, named by its id (letter case aside; the first such line
// counts), begins with its average rating, optionally followed by a comma and
// text that does not matter here ("3.5" and "3.5,12" both give 3.5).
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

struct TBatchRatingReply {
    // No line "msg", or one that is no decimal integer.
    bool Unreadable = true;
    int Code = 0;
    // With code 9: (index into the ids asked for, rating in tenths truncated
    // toward zero), in the order of the ids, for every id whose line holds a
    // number. The rating is read with a decimal point whatever the user's
    // regional settings, as the service writes it; lines without a usable
    // number (missing, empty, not a number, outside 0 to 5) leave their
    // add-on out.
    std::vector<std::pair<size_t, int>> Ratings;
};

TBatchRatingReply ReadBatchRatingReply(std::string_view body, const std::vector<std::wstring>& ids);
