#pragma once
// Dots per inch of windows and monitors, and the scaling of design values
// (96 DPI) to them. Functions that only newer Windows versions have are
// looked up at run time; older systems answer with the system DPI.
#include <windows.h>

constexpr UINT kDesignDpi = 96;

// Asks Windows to let this process draw at each monitor's own DPI (and send
// WM_DPICHANGED) when the manifest has not already done so.
void EnablePerMonitorDpi();
// The DPI the window is drawn at; the system DPI for a null window.
UINT WindowDpi(HWND window);
UINT SystemDpi();
// The DPI of the monitor holding the point.
UINT MonitorDpiAt(POINT screenPoint);

// A design length at the given DPI, rounded to the nearest pixel.
inline int ScaleForDpi(int designValue, UINT dpi) { return MulDiv(designValue, static_cast<int>(dpi), kDesignDpi); }
// A length at the given DPI back in design pixels.
inline int UnscaleForDpi(int value, UINT dpi) { return MulDiv(value, kDesignDpi, static_cast<int>(dpi ? dpi : kDesignDpi)); }
