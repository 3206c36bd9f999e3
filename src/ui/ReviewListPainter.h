#pragma once
// How the reviews list looks: each review entry with its nickname, date,
// given stars, wrapped text and the "Like", "Dislike" and "Report" links in
// their blue or grey states; the paging entry; the picture and text of an
// empty list. It also measures how high an entry must be, with the same
// fonts, widths and rules as its paint (ReviewLayout).
#include <string>

#include "ui/ReviewItemData.h"
#include "ui/ReviewLayout.h"
#include "ui/toolkit/OrixListView.h"

class TReviewListPainter {
public:
    explicit TReviewListPainter(TOrixListView& list);

    void PaintEntry(TOrixCanvas& canvas, int index, const RECT& row);
    void PaintEmptyList(TOrixCanvas& canvas, const RECT& client);

    // The entry's height in design pixels at the list's present width.
    int EntryHeight(const TItemData& entry);
    // Where the parts of the entry at this index are, as it is now scrolled.
    TReviewEntryParts PartsOf(int index);
    // Where the empty list's picture goes in a list of this client size.
    RECT EmptyPicture(int clientWidth, int clientHeight, UINT dpi) const;

    // The link the keyboard is on in the selected entry (Left and Right move it).
    TReviewLink FocusedLink = TReviewLink::Like;

private:
    struct Fonts {
        TOrixFont Nickname, Date, Content, Link, LinkHot, LinkAnswered, Paging, EmptyText;
    };
    const Fonts& CurrentFonts();
    const TLinkTextWidths& LinkWidths(UINT dpi);
    // An entry's rectangle for its parts: as wide as the rows are when the
    // scroll bar shows, whether it shows or not, so that heights stay right.
    RECT EntryArea(const RECT& row) const;
    void PaintLink(TOrixCanvas& canvas, TReviewLink link, const TReviewEntryParts& parts, bool answered,
                   POINT mouse);
    POINT MouseInList() const;

    TOrixListView& list_;
    Fonts fonts_;
    // The link texts and their widths, measured again when the language,
    // the font or the DPI changed.
    std::wstring measuredFor_;
    TLinkTextWidths linkWidths_;
};
