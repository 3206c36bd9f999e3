#pragma once
// Keeps a remembered window rectangle usable when the monitors have changed
// since it was stored (a monitor unplugged, a smaller resolution).
#include <windows.h>

// How much of a window's top must lie in a work area for its title bar to
// be reachable with the mouse.
inline constexpr int kTitleStripHeight = 30;

// Screen rectangle in, screen rectangle out. A rectangle on no monitor, or
// one whose top kTitleStripHeight pixels lie in no monitor's work area, is
// moved into the work area of the monitor nearest to it, keeping its size
// unless it is larger than that work area. Any other rectangle is returned
// as it is.
RECT FitOnScreen(const RECT& wanted);
