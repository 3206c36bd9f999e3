#pragma once
// An owner-drawn report list: rows of default or own heights, columns
// without a header (or with a header picture), row, selection and header
// pictures, the skinned vertical scroll bar, the mouse wheel and the
// keyboard. Its owner paints the rows through hooks and learns about the
// mouse in list coordinates; a click is reported when the button is
// released over the row it was pressed on. Painting is double-buffered.
#include <memory>
#include <vector>

#include "ui/toolkit/OrixControl.h"
#include "ui/toolkit/OrixImageList.h"
#include "ui/toolkit/OrixListModel.h"
#include "ui/toolkit/OrixScrollBar.h"

class TOrixListView : public TOrixControl {
public:
    struct CreateArgs : TOrixControl::CreateArgs {
        int rowHeight = 20;      // design pixels
        int headerHeight = 0;
        COLORREF color = RGB(255, 255, 255);
    };

    TOrixListView();
    ~TOrixListView() override;
    bool Create(const CreateArgs& args);

    TOrixListModel& Rows() { return rows_; }
    const TOrixListModel& Rows() const { return rows_; }
    // Many changes, one repaint at EndUpdate.
    void BeginUpdate() { ++updating_; }
    void EndUpdate();

    void SetColumns(const std::vector<int>& designWidths);
    void SetColumnWidth(int index, int designWidth);
    int ColumnCount() const { return static_cast<int>(columns_.size()); }
    int ColumnWidth(int index) const;
    // Column edges in list pixels.
    int ColumnLeft(int index) const;
    int ColumnRight(int index) const;

    int RowHeight() const { return rowHeight_; }
    void SetRowHeight(int designHeight);
    void SetHeaderHeight(int designHeight);
    void SetColor(COLORREF color);
    void SetRowPicture(const TOrixStrip& picture);
    void SetSelectionPicture(const TOrixStrip& picture);
    void SetHeaderPicture(const TOrixStrip& picture);
    void SetImageList(TOrixImageList* images) { images_ = images; }
    TOrixImageList* ImageList() const { return images_; }
    void SetScrollBarSkin(const TOrixScrollBarSkin& skin);
    // Pixels one wheel notch scrolls, in design pixels (the row height at first).
    void SetWheelStep(int designPixels) { wheelStep_ = designPixels; }

    // The row's rectangle in list pixels as it is now scrolled.
    RECT RowRect(int index) const;
    // The row under a point in list pixels, or -1.
    int RowAt(POINT point) const;
    int ScrollPosition() const { return scroll_; }
    void ScrollTo(int position);
    void ScrollBy(int delta) { ScrollTo(scroll_ + delta); }
    void EnsureVisible(int index);
    int Selected() const { return selected_; }
    void SetSelected(int index);
    void InvalidateRow(int index);
    // The width rows are drawn in (the client width less a shown scroll bar).
    int RowsWidth() const;

    void ShowHintAt(const std::wstring& text, POINT listPoint);
    void HideHint();

    std::function<void(TOrixListView&, TOrixCanvas&, int index, const RECT& row)> OnDrawRowBackground;
    std::function<void(TOrixListView&, TOrixCanvas&, int index, const RECT& row)> OnDrawRow;
    // Paints the list while it has no rows.
    std::function<void(TOrixListView&, TOrixCanvas&, const RECT& client)> OnDrawBackground;
    std::function<void(TOrixListView&, int x, int y, int index)> OnRowMouseMove;
    std::function<void(TOrixListView&, int index, int x, int y)> OnRowClick;
    std::function<void(TOrixListView&, int index)> OnSelectionChanged;

protected:
    void HandlePaint(TOrixCanvas& canvas) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseLeave() override;
    void HandleMouseDown(int x, int y) override;
    void HandleMouseUp(int x, int y) override;
    void HandleCaptureLost() override;
    bool HandleWheel(int delta) override;
    bool HandleKeyDown(UINT key) override;
    void HandleSize() override;
    void HandleDpiChanged() override;
    UINT DialogCode(const MSG* message) override;

private:
    void RowsChanged();
    void UpdateScrollBar();
    int HeaderPixels() const { return Scale(headerHeight_); }
    int ViewHeight() const;
    int ContentY(int listY) const { return listY - HeaderPixels() + scroll_; }
    void PaintRows(TOrixCanvas& canvas, const RECT& area);
    void MoveSelection(int index);
    void RefreshHover();

    TOrixListModel rows_;
    std::vector<int> columns_;
    int rowHeight_ = 20;
    int headerHeight_ = 0;
    int wheelStep_ = 0;
    COLORREF color_ = RGB(255, 255, 255);
    TOrixStrip rowPicture_;
    TOrixStrip selectionPicture_;
    TOrixStrip headerPicture_;
    TOrixImageList* images_ = nullptr;
    std::unique_ptr<TOrixScrollBar> scrollBar_;
    int scroll_ = 0;
    int selected_ = -1;
    int pressedRow_ = -1;
    int hotRow_ = -1;
    int updating_ = 0;
};
