#include "app/WindowPlacement.h"

#include <algorithm>

namespace {

// Between low and high; low wins when the range is empty.
LONG Bounded(LONG value, LONG low, LONG high) { return std::max(low, std::min(value, high)); }

struct StripSearch {
    RECT strip;
    bool reachable = false;
};

BOOL CALLBACK FindWorkAreaOverlap(HMONITOR monitor, HDC, LPRECT, LPARAM data) {
    auto& search = *reinterpret_cast<StripSearch*>(data);
    MONITORINFO info{};
    info.cbSize = sizeof(info);
    RECT overlap;
    search.reachable = GetMonitorInfoW(monitor, &info) && IntersectRect(&overlap, &search.strip, &info.rcWork);
    return !search.reachable;  // stop at the first
}

// The work area, not the monitor, decides: a task bar covers the rest.
bool TitleStripReachable(const RECT& window) {
    StripSearch search{{window.left, window.top, window.right, std::min(window.bottom, window.top + kTitleStripHeight)}};
    if (IsRectEmpty(&search.strip)) return false;
    EnumDisplayMonitors(nullptr, &search.strip, FindWorkAreaOverlap, reinterpret_cast<LPARAM>(&search));
    return search.reachable;
}

}  // namespace

RECT FitOnScreen(const RECT& wanted) {
    const bool onSomeMonitor = MonitorFromRect(&wanted, MONITOR_DEFAULTTONULL) != nullptr;
    if (onSomeMonitor && TitleStripReachable(wanted)) return wanted;

    MONITORINFO info{};
    info.cbSize = sizeof(info);
    if (!GetMonitorInfoW(MonitorFromRect(&wanted, MONITOR_DEFAULTTONEAREST), &info)) return wanted;
    const RECT& work = info.rcWork;
    const LONG width = std::min(wanted.right - wanted.left, work.right - work.left);
    const LONG height = std::min(wanted.bottom - wanted.top, work.bottom - work.top);
    const LONG left = Bounded(wanted.left, work.left, work.right - width);
    const LONG top = Bounded(wanted.top, work.top, work.bottom - height);
    return RECT{left, top, left + width, top + height};
}
