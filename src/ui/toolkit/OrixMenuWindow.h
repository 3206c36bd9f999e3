#pragma once
// The window of one open level of a pop-up menu. It lays its items out,
// paints them and passes the mouse to its menu.
#include "ui/toolkit/OrixControl.h"

class TOrixMenuItem;
class TOrixPopupMenu;

class TOrixMenuWindow : public TOrixControl {
public:
    TOrixMenuWindow(TOrixPopupMenu& menu, TOrixMenuItem& items, int level);

    // At `at` (screen), or beside `besides` (the parent item, screen) for a
    // sub-menu; kept on the monitor.
    bool Open(POINT at, const RECT* besides, HWND owner);
    TOrixMenuItem& Items() const { return items_; }
    int Hot() const { return hot_; }
    void SetHot(int index);
    // Screen rectangle of an item.
    RECT ItemScreenRect(int index) const;
    int ItemAt(int y) const;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void HandlePaint(TOrixCanvas& canvas) override;

private:
    RECT ItemRect(int index) const;
    SIZE Measure(UINT dpi) const;

    TOrixPopupMenu& menu_;
    TOrixMenuItem& items_;
    int level_;
    int hot_ = -1;
};
