#include "ui/toolkit/OrixMenuWindow.h"

#include <algorithm>

#include "ui/toolkit/OrixPopupMenu.h"

namespace {

constexpr wchar_t kClassName[] = L"TOrixMenuWindow";
constexpr int kBorder = 1;
constexpr int kMarkWidth = 26;
constexpr int kArrowWidth = 20;
constexpr int kShortCutGap = 24;
constexpr int kTextPad = 8;
constexpr int kMinWidth = 120;

RECT WorkAreaAt(POINT point) {
    MONITORINFO info = {sizeof(info)};
    GetMonitorInfoW(MonitorFromPoint(point, MONITOR_DEFAULTTONEAREST), &info);
    return info.rcWork;
}

}  // namespace

TOrixMenuWindow::TOrixMenuWindow(TOrixPopupMenu& menu, TOrixMenuItem& items, int level)
    : TOrixControl(TOrixKind::PopupMenu), menu_(menu), items_(items), level_(level) {}

SIZE TOrixMenuWindow::Measure(UINT dpi) const {
    const UniqueWindowDc screen(GetDC(nullptr), {nullptr});
    TOrixCanvas canvas(screen.get(), dpi);
    int text = 0;
    int shortcut = 0;
    int height = 0;
    bool arrows = false;
    for (int i = 0; i < items_.Count(); ++i) {
        const TOrixMenuItem& item = items_.Item(i);
        if (!item.Visible) continue;
        if (item.Separator) {
            height += canvas.Scale(menu_.SeparatorHeight);
            continue;
        }
        height += canvas.Scale(menu_.ItemHeight);
        text = std::max(text, static_cast<int>(canvas.MeasureText(item.Caption, menu_.Font, 0, DT_SINGLELINE).cx));
        if (!item.ShortCut.empty())
            shortcut = std::max(shortcut, static_cast<int>(canvas.MeasureText(item.ShortCut, menu_.Font, 0,
                                                                              DT_SINGLELINE | DT_NOPREFIX).cx));
        arrows = arrows || item.HasSubMenu();
    }
    int width = canvas.Scale(kMarkWidth) + text + canvas.Scale(kTextPad) + canvas.Scale(kArrowWidth);
    if (shortcut) width += canvas.Scale(kShortCutGap) + shortcut;
    (void)arrows;
    width = std::max(width, canvas.Scale(kMinWidth)) + 2 * kBorder;
    return {width, height + 2 * kBorder};
}

bool TOrixMenuWindow::Open(POINT at, const RECT* besides, HWND owner) {
    const UINT dpi = MonitorDpiAt(at);
    const SIZE size = Measure(dpi);
    const RECT work = WorkAreaAt(at);
    int x = at.x;
    int y = at.y;
    if (besides) {
        x = besides->right;
        y = besides->top - kBorder;
        if (x + size.cx > work.right) x = besides->left - size.cx;
    } else if (x + size.cx > work.right) {
        x = work.right - size.cx;
    }
    if (y + size.cy > work.bottom) y = std::max(static_cast<int>(work.top), static_cast<int>(work.bottom - size.cy));
    x = std::max(x, static_cast<int>(work.left));
    const RECT bounds = {x, y, x + size.cx, y + size.cy};
    if (!CreateTopLevel(kClassName, CS_DROPSHADOW | CS_SAVEBITS, WS_POPUP,
                        WS_EX_TOPMOST | WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, bounds, owner, L""))
        return false;
    ChangeDpi(dpi);
    ShowWindow(Handle(), SW_SHOWNOACTIVATE);
    UpdateWindow(Handle());
    return true;
}

RECT TOrixMenuWindow::ItemRect(int index) const {
    int top = kBorder;
    const int right = ClientWidth() - kBorder;
    for (int i = 0; i < items_.Count(); ++i) {
        const TOrixMenuItem& item = items_.Item(i);
        if (!item.Visible) continue;
        const int h = Scale(item.Separator ? menu_.SeparatorHeight : menu_.ItemHeight);
        if (i == index) return {kBorder, top, right, top + h};
        top += h;
    }
    return {};
}

RECT TOrixMenuWindow::ItemScreenRect(int index) const {
    RECT rect = ItemRect(index);
    MapWindowPoints(Handle(), nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int TOrixMenuWindow::ItemAt(int y) const {
    for (int i = 0; i < items_.Count(); ++i) {
        const RECT rect = ItemRect(i);
        if (y >= rect.top && y < rect.bottom) return i;
    }
    return -1;
}

void TOrixMenuWindow::SetHot(int index) {
    if (index == hot_) return;
    hot_ = index;
    Invalidate();
}

void TOrixMenuWindow::HandlePaint(TOrixCanvas& canvas) {
    const RECT client = ClientRect();
    canvas.Fill(client, menu_.Color);
    canvas.Frame(client, menu_.BorderColor);
    const int markWidth = canvas.Scale(kMarkWidth);
    const int arrowWidth = canvas.Scale(kArrowWidth);
    for (int i = 0; i < items_.Count(); ++i) {
        const TOrixMenuItem& item = items_.Item(i);
        if (!item.Visible) continue;
        const RECT rect = ItemRect(i);
        if (item.Separator) {
            const int y = (rect.top + rect.bottom) / 2;
            canvas.Fill({rect.left + markWidth, y, rect.right - canvas.Scale(4), y + 1}, menu_.SeparatorColor);
            continue;
        }
        if (i == hot_ && item.Enabled) {
            RECT hot = rect;
            InflateRect(&hot, -canvas.Scale(2), 0);
            canvas.Fill(hot, menu_.HotColor);
        }
        TOrixFont font = menu_.Font;
        if (!item.Enabled) font.SetColor(menu_.DisabledColor);
        const RECT mark = {rect.left, rect.top, rect.left + markWidth, rect.bottom};
        if (item.Checked) {
            const TOrixStrip& picture = item.RadioItem ? menu_.RadioMark : menu_.CheckMark;
            if (!picture.Empty()) {
                const int w = canvas.Scale(picture.DesignWidth());
                const int h = canvas.Scale(picture.DesignHeight());
                const int x = (mark.left + mark.right - w) / 2;
                const int y = (mark.top + mark.bottom - h) / 2;
                canvas.Picture(picture, item.Enabled ? 0 : 1, {x, y, x + w, y + h});
            } else {
                if (item.RadioItem)
                    canvas.Bullet(mark, font.Color());
                else
                    canvas.CheckMark(mark, font.Color());
            }
        }
        const RECT text = {mark.right, rect.top, rect.right - arrowWidth, rect.bottom};
        canvas.Text(item.Caption, text, font, DT_SINGLELINE | DT_VCENTER | DT_LEFT);
        if (!item.ShortCut.empty())
            canvas.Text(item.ShortCut, text, font, DT_SINGLELINE | DT_VCENTER | DT_RIGHT | DT_NOPREFIX);
        if (item.HasSubMenu()) {
            const RECT arrow = {rect.right - arrowWidth, rect.top, rect.right, rect.bottom};
            if (!menu_.SubMenuArrow.Empty()) {
                const int w = canvas.Scale(menu_.SubMenuArrow.DesignWidth());
                const int h = canvas.Scale(menu_.SubMenuArrow.DesignHeight());
                const int x = (arrow.left + arrow.right - w) / 2;
                const int y = (arrow.top + arrow.bottom - h) / 2;
                canvas.Picture(menu_.SubMenuArrow, 0, {x, y, x + w, y + h});
            } else {
                canvas.Arrow(arrow, false, font.Color());
            }
        }
    }
}

LRESULT TOrixMenuWindow::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    const int y = static_cast<short>(HIWORD(lp));
    switch (msg) {
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_MOUSEMOVE:
        menu_.HoverItem(level_, ItemAt(y));
        return 0;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
        return 0;
    case WM_LBUTTONUP:
        menu_.ChooseItem(level_, ItemAt(y));
        return 0;
    default:
        return TOrixControl::WndProc(msg, wp, lp);
    }
}
