#pragma once
// How the main window's add-on list and browser buttons look: rows with the
// add-on's picture, name and description, the rating caption and stars, the
// switch and the delete button; the picture and text of an empty list; the
// hover hints; and the icon and "(Default)" mark of a browser button. Each
// row's paint records where its parts went (TRowHitAreas), which is what
// hovers and clicks are tested against.
#include <functional>

#include "browsers/BrowserAppBase.h"
#include "ui/RowHitAreas.h"
#include "ui/toolkit/OrixButton.h"
#include "ui/toolkit/OrixListView.h"

class TAddonListPainter {
public:
    // The browser shown (none during the window's creation) and the kind tab.
    struct Selection {
        std::function<const TBrowserAppBase*()> Browser;
        std::function<int()> KindFilter;
    };

    TAddonListPainter(TOrixListView& list, Selection selection);

    void PaintRowBackground(TOrixCanvas& canvas, int index, const RECT& row) const;
    void PaintRow(TOrixCanvas& canvas, int index, const RECT& row);
    void PaintEmptyList(TOrixCanvas& canvas, const RECT& client) const;
    void RowMouseMove(int x, int y, int index);
    void PaintBrowserButton(TOrixButton& button, TOrixCanvas& canvas) const;

private:
    void PaintPicture(TOrixCanvas& canvas, const TBrowserExtensionInfo& addon, const RECT& row) const;
    void PaintRating(TOrixCanvas& canvas, const TRowHitAreas& areas, POINT mouse) const;
    void PaintToggle(TOrixCanvas& canvas, const RECT& rect, const TBrowserExtensionInfo& addon, POINT mouse) const;
    void PaintDelete(TOrixCanvas& canvas, const RECT& rect, POINT mouse) const;
    // The mouse in list pixels, for the hover and pressed looks.
    POINT MouseInList() const;

    // The fonts of the list's texts, following the window's (language) font;
    // kept so that a paint makes no GDI fonts.
    struct Fonts {
        TOrixFont Name, Description, Caption, CaptionHot, EmptyText, DefaultMark;
    };
    const Fonts& FontsFor(const TOrixControl& control) const;

    TOrixListView& list_;
    Selection selection_;
    // The three-state pictures, taken from the store on first use.
    mutable TOrixStrip switchOff_;
    mutable TOrixStrip switchOn_;
    mutable TOrixStrip delete_;
    mutable Fonts fonts_;
};
