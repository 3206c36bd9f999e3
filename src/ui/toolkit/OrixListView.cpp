#include "ui/toolkit/OrixListView.h"

#include <algorithm>

#include "ui/toolkit/OrixForm.h"

namespace {

constexpr wchar_t kClassName[] = L"TOrixListView";
constexpr int kSelectionMargin = 3;
constexpr int kCaptionIndent = 4;

}  // namespace

TOrixListView::TOrixListView() : TOrixControl(TOrixKind::ListView) {
    rows_.OnChanged = [this] { RowsChanged(); };
}

TOrixListView::~TOrixListView() {
    // The scroll bar's window goes with the list's; its object first.
    scrollBar_.reset();
}

bool TOrixListView::Create(const CreateArgs& args) {
    rowHeight_ = args.rowHeight;
    headerHeight_ = args.headerHeight;
    color_ = args.color;
    KeepPaintBuffer(true);
    if (!CreateOwnWindow(args, kClassName, WS_TABSTOP | WS_CLIPCHILDREN)) return false;
    scrollBar_ = std::make_unique<TOrixScrollBar>();
    TOrixScrollBar::CreateArgs bar;
    bar.parent = this;
    bar.name = Name() + L".ScrollBar";
    bar.visible = false;
    scrollBar_->Create(bar);
    scrollBar_->OnScroll = [this](TOrixScrollBar&, int position) { ScrollTo(position); };
    UpdateScrollBar();
    return true;
}

void TOrixListView::EndUpdate() {
    if (updating_ > 0 && --updating_ == 0) RowsChanged();
}

void TOrixListView::RowsChanged() {
    if (updating_) return;
    if (selected_ >= rows_.Count()) selected_ = rows_.Count() - 1;
    if (pressedRow_ >= rows_.Count()) pressedRow_ = -1;
    if (hotRow_ >= rows_.Count()) hotRow_ = -1;
    UpdateScrollBar();
    Invalidate();
}

void TOrixListView::SetColumns(const std::vector<int>& designWidths) {
    columns_ = designWidths;
    Invalidate();
}

void TOrixListView::SetColumnWidth(int index, int designWidth) {
    if (index < 0 || index >= ColumnCount()) return;
    columns_[index] = designWidth;
    Invalidate();
}

int TOrixListView::ColumnWidth(int index) const {
    return index >= 0 && index < ColumnCount() ? columns_[index] : 0;
}

int TOrixListView::ColumnLeft(int index) const {
    int left = 0;
    for (int i = 0; i < index && i < ColumnCount(); ++i) left += columns_[i];
    return Scale(left);
}

int TOrixListView::ColumnRight(int index) const { return ColumnLeft(index + 1 <= ColumnCount() ? index + 1 : ColumnCount()); }

void TOrixListView::SetRowHeight(int designHeight) {
    rowHeight_ = std::max(1, designHeight);
    RowsChanged();
}

void TOrixListView::SetHeaderHeight(int designHeight) {
    headerHeight_ = std::max(0, designHeight);
    RowsChanged();
}

void TOrixListView::SetColor(COLORREF color) {
    color_ = color;
    Invalidate();
}

void TOrixListView::SetRowPicture(const TOrixStrip& picture) {
    rowPicture_ = picture;
    Invalidate();
}

void TOrixListView::SetSelectionPicture(const TOrixStrip& picture) {
    selectionPicture_ = picture;
    Invalidate();
}

void TOrixListView::SetHeaderPicture(const TOrixStrip& picture) {
    headerPicture_ = picture;
    Invalidate();
}

void TOrixListView::SetScrollBarSkin(const TOrixScrollBarSkin& skin) {
    if (!scrollBar_) return;
    scrollBar_->SetSkin(skin);
    UpdateScrollBar();
}

int TOrixListView::ViewHeight() const { return std::max(0, ClientHeight() - HeaderPixels()); }

int TOrixListView::RowsWidth() const {
    const int width = ClientWidth();
    if (!scrollBar_ || !scrollBar_->Visible()) return width;
    return std::max(0, width - Scale(scrollBar_->Skin().width));
}

void TOrixListView::UpdateScrollBar() {
    if (!scrollBar_ || !Handle()) return;
    const int total = rows_.TotalHeight(rowHeight_, Dpi());
    const int view = ViewHeight();
    const bool needed = total > view && view > 0;
    const int width = Scale(scrollBar_->Skin().width);
    SetWindowPos(scrollBar_->Handle(), nullptr, ClientWidth() - width, HeaderPixels(), width, view,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    scrollBar_->SetLineStep(Scale(wheelStep_ ? wheelStep_ : rowHeight_));
    scrollBar_->SetRange(total, view);
    scrollBar_->SetVisible(needed);
    const int limit = std::max(0, total - view);
    if (scroll_ > limit) scroll_ = limit;
    scrollBar_->SetPosition(scroll_, false);
}

RECT TOrixListView::RowRect(int index) const {
    if (index < 0 || index >= rows_.Count()) return {};
    const int top = rows_.Top(index, rowHeight_, Dpi()) - scroll_ + HeaderPixels();
    return {0, top, RowsWidth(), top + rows_.PixelHeight(index, rowHeight_, Dpi())};
}

int TOrixListView::RowAt(POINT point) const {
    if (point.x < 0 || point.x >= RowsWidth() || point.y < HeaderPixels() || point.y >= ClientHeight()) return -1;
    return rows_.IndexAt(ContentY(point.y), rowHeight_, Dpi());
}

void TOrixListView::ScrollTo(int position) {
    const int limit = std::max(0, rows_.TotalHeight(rowHeight_, Dpi()) - ViewHeight());
    position = std::clamp(position, 0, limit);
    if (position == scroll_) return;
    scroll_ = position;
    if (scrollBar_) scrollBar_->SetPosition(scroll_, false);
    Invalidate();
    RefreshHover();
}

void TOrixListView::EnsureVisible(int index) {
    if (index < 0 || index >= rows_.Count()) return;
    const int top = rows_.Top(index, rowHeight_, Dpi());
    const int bottom = top + rows_.PixelHeight(index, rowHeight_, Dpi());
    if (top < scroll_)
        ScrollTo(top);
    else if (bottom > scroll_ + ViewHeight())
        ScrollTo(bottom - ViewHeight());
}

void TOrixListView::SetSelected(int index) {
    if (index < -1 || index >= rows_.Count()) index = -1;
    if (index == selected_) return;
    InvalidateRow(selected_);
    selected_ = index;
    InvalidateRow(selected_);
    if (OnSelectionChanged) OnSelectionChanged(*this, selected_);
}

void TOrixListView::InvalidateRow(int index) {
    const RECT rect = RowRect(index);
    if (Handle() && rect.bottom > rect.top) InvalidateRect(Handle(), &rect, FALSE);
}

void TOrixListView::ShowHintAt(const std::wstring& text, POINT listPoint) {
    if (!OwnerForm() || !Handle()) return;
    ClientToScreen(Handle(), &listPoint);
    OwnerForm()->Hints().ShowAt(text, listPoint);
}

void TOrixListView::HideHint() {
    if (OwnerForm()) OwnerForm()->Hints().Hide();
}

void TOrixListView::HandlePaint(TOrixCanvas& canvas) {
    const RECT client = ClientRect();
    const int width = RowsWidth();
    canvas.Fill({0, 0, width, client.bottom}, color_);
    const int header = HeaderPixels();
    if (header > 0) canvas.Picture(headerPicture_, 0, {0, 0, width, header});
    const RECT area = {0, header, width, client.bottom};
    if (rows_.Count() == 0) {
        if (OnDrawBackground) OnDrawBackground(*this, canvas, client);
    } else {
        PaintRows(canvas, area);
    }
    if (Focused() && selected_ < 0) canvas.FocusFrame(area);
}

void TOrixListView::PaintRows(TOrixCanvas& canvas, const RECT& area) {
    HDC dc = canvas.Dc();
    const int saved = SaveDC(dc);
    IntersectClipRect(dc, area.left, area.top, area.right, area.bottom);
    RECT clip;
    GetClipBox(dc, &clip);
    int index = rows_.IndexAt(std::max(0, ContentY(clip.top)), rowHeight_, Dpi());
    for (; index >= 0 && index < rows_.Count(); ++index) {
        const RECT row = RowRect(index);
        if (row.top >= clip.bottom) break;
        if (OnDrawRowBackground) OnDrawRowBackground(*this, canvas, index, row);
        canvas.Picture(rowPicture_, 0, row);
        if (index == selected_) {
            if (!selectionPicture_.Empty()) {
                selectionPicture_.picture->DrawNineGrid(dc, row, kSelectionMargin, canvas.Dpi(),
                                                        selectionPicture_.SliceFor(Focused() ? 0 : 1),
                                                        selectionPicture_.slices);
            } else if (Focused()) {
                canvas.FocusFrame(row);
            }
        }
        if (OnDrawRow) {
            OnDrawRow(*this, canvas, index, row);
        } else {
            TOrixFont font;
            RECT text = row;
            text.left += canvas.Scale(kCaptionIndent);
            canvas.Text(rows_.Caption(index), text, font, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
        }
    }
    RestoreDC(dc, saved);
}

void TOrixListView::HandleMouseMove(int x, int y) {
    const int row = RowAt({x, y});
    if (row != hotRow_) {
        InvalidateRow(hotRow_);
        hotRow_ = row;
    }
    if (row >= 0) {
        if (OnRowMouseMove) OnRowMouseMove(*this, x, y, row);
    } else {
        HideHint();
        SetCursor(nullptr);
    }
    TOrixControl::HandleMouseMove(x, y);
}

void TOrixListView::HandleMouseLeave() {
    InvalidateRow(hotRow_);
    hotRow_ = -1;
    HideHint();
    TOrixControl::HandleMouseLeave();
}

void TOrixListView::RefreshHover() {
    if (!Hovered() || !Handle()) return;
    POINT cursor;
    GetCursorPos(&cursor);
    ScreenToClient(Handle(), &cursor);
    HandleMouseMove(cursor.x, cursor.y);
}

void TOrixListView::HandleMouseDown(int x, int y) {
    SetFocus();
    pressedRow_ = RowAt({x, y});
    if (pressedRow_ >= 0) SetSelected(pressedRow_);
}

void TOrixListView::HandleMouseUp(int x, int y) {
    const int pressed = pressedRow_;
    pressedRow_ = -1;
    if (pressed < 0 || RowAt({x, y}) != pressed) return;
    if (OnRowClick) OnRowClick(*this, pressed, x, y);
    InvalidateRow(pressed);
}

void TOrixListView::HandleCaptureLost() { pressedRow_ = -1; }

bool TOrixListView::HandleWheel(int delta) {
    const int step = Scale(wheelStep_ ? wheelStep_ : rowHeight_);
    ScrollBy(-MulDiv(delta, step, WHEEL_DELTA));
    return true;
}

void TOrixListView::MoveSelection(int index) {
    if (rows_.Count() == 0) return;
    index = std::clamp(index, 0, rows_.Count() - 1);
    SetSelected(index);
    EnsureVisible(index);
}

bool TOrixListView::HandleKeyDown(UINT key) {
    const int rowsPerPage = std::max(1, ViewHeight() / std::max(1, Scale(rowHeight_)));
    switch (key) {
    case VK_UP:
        MoveSelection(selected_ < 0 ? 0 : selected_ - 1);
        return true;
    case VK_DOWN:
        MoveSelection(selected_ + 1);
        return true;
    case VK_PRIOR:
        MoveSelection(selected_ - rowsPerPage);
        return true;
    case VK_NEXT:
        MoveSelection(std::max(0, selected_) + rowsPerPage);
        return true;
    case VK_HOME:
        MoveSelection(0);
        return true;
    case VK_END:
        MoveSelection(rows_.Count() - 1);
        return true;
    default:
        return false;
    }
}

void TOrixListView::HandleSize() {
    UpdateScrollBar();
    Invalidate();
    TOrixControl::HandleSize();
}

void TOrixListView::HandleDpiChanged() {
    if (scrollBar_) scrollBar_->ChangeDpi(Dpi());
    UpdateScrollBar();
    Invalidate();
}

UINT TOrixListView::DialogCode(const MSG*) { return DLGC_WANTARROWS | DLGC_WANTCHARS; }
