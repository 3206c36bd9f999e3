#include "ui/toolkit/OrixCanvas.h"

#include <algorithm>

void TOrixCanvas::Fill(const RECT& rect, COLORREF color) const {
    // ExtTextOut with an opaque rectangle fills without making a brush.
    const COLORREF old = SetBkColor(dc_, color);
    ExtTextOutW(dc_, 0, 0, ETO_OPAQUE, &rect, nullptr, 0, nullptr);
    SetBkColor(dc_, old);
}

void TOrixCanvas::Frame(const RECT& rect, COLORREF color) const {
    Fill({rect.left, rect.top, rect.right, rect.top + 1}, color);
    Fill({rect.left, rect.bottom - 1, rect.right, rect.bottom}, color);
    Fill({rect.left, rect.top, rect.left + 1, rect.bottom}, color);
    Fill({rect.right - 1, rect.top, rect.right, rect.bottom}, color);
}

void TOrixCanvas::Line(int x1, int y1, int x2, int y2, COLORREF color) const {
    const UniquePen pen(CreatePen(PS_SOLID, 1, color));
    const SelectedObject selected(dc_, pen.get());
    MoveToEx(dc_, x1, y1, nullptr);
    LineTo(dc_, x2, y2);
}

void TOrixCanvas::Text(const std::wstring& text, RECT rect, const TOrixFont& font, UINT format) const {
    if (text.empty()) return;
    const SelectedObject selected(dc_, font.Handle(dpi_));
    const int oldMode = SetBkMode(dc_, TRANSPARENT);
    const COLORREF oldColor = SetTextColor(dc_, font.Color());
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format);
    SetTextColor(dc_, oldColor);
    SetBkMode(dc_, oldMode);
}

SIZE TOrixCanvas::MeasureText(const std::wstring& text, const TOrixFont& font, int width, UINT format) const {
    RECT rect = {0, 0, width, 0};
    const SelectedObject selected(dc_, font.Handle(dpi_));
    if (text.empty()) {
        TEXTMETRICW metrics = {};
        GetTextMetricsW(dc_, &metrics);
        return {0, metrics.tmHeight};
    }
    DrawTextW(dc_, text.c_str(), static_cast<int>(text.size()), &rect, format | DT_CALCRECT);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

void TOrixCanvas::FocusFrame(const RECT& rect) const {
    const COLORREF oldText = SetTextColor(dc_, RGB(0, 0, 0));
    const COLORREF oldBack = SetBkColor(dc_, RGB(255, 255, 255));
    DrawFocusRect(dc_, &rect);
    SetBkColor(dc_, oldBack);
    SetTextColor(dc_, oldText);
}

namespace {

POINT CentreOf(const RECT& rect) { return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2}; }

}  // namespace

void TOrixCanvas::CheckMark(const RECT& rect, COLORREF color) const {
    const POINT c = CentreOf(rect);
    const int u = Scale(2);
    const POINT points[] = {{c.x - 2 * u, c.y}, {c.x - u / 2, c.y + 3 * u / 2}, {c.x + 5 * u / 2, c.y - 2 * u}};
    const UniquePen pen(CreatePen(PS_SOLID, std::max(2, Scale(2)), color));
    const SelectedObject selected(dc_, pen.get());
    Polyline(dc_, points, 3);
}

void TOrixCanvas::Bullet(const RECT& rect, COLORREF color) const {
    const POINT c = CentreOf(rect);
    const int r = Scale(3);
    const UniqueBrush brush(CreateSolidBrush(color));
    const SelectedObject selectedBrush(dc_, brush.get());
    const SelectedObject selectedPen(dc_, GetStockObject(NULL_PEN));
    Ellipse(dc_, c.x - r, c.y - r, c.x + r + 1, c.y + r + 1);
}

void TOrixCanvas::Arrow(const RECT& rect, bool down, COLORREF color) const {
    const POINT c = CentreOf(rect);
    const int s = Scale(3);
    POINT points[3];
    if (down) {
        points[0] = {c.x - s, c.y - s / 2};
        points[1] = {c.x + s + 1, c.y - s / 2};
        points[2] = {c.x, c.y + s / 2 + 1};
    } else {
        points[0] = {c.x - s / 2, c.y - s};
        points[1] = {c.x - s / 2, c.y + s + 1};
        points[2] = {c.x + s / 2 + 1, c.y};
    }
    const UniqueBrush brush(CreateSolidBrush(color));
    const SelectedObject selectedBrush(dc_, brush.get());
    const SelectedObject selectedPen(dc_, GetStockObject(NULL_PEN));
    Polygon(dc_, points, 3);
}
