#include "ui/toolkit/OrixCanvas.h"

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
