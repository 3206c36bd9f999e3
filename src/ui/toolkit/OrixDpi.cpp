#include "ui/toolkit/OrixDpi.h"

namespace {

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using SetContextFn = BOOL(WINAPI*)(HANDLE);
using GetDpiForMonitorFn = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);

template <class Fn>
Fn LookUp(const wchar_t* module, const char* name) {
    HMODULE handle = GetModuleHandleW(module);
    if (!handle) handle = LoadLibraryW(module);  // shcore stays loaded for the process
    return handle ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(handle, name))) : nullptr;
}

}  // namespace

void EnablePerMonitorDpi() {
    // DPI_AWARENESS_CONTEXT_PER_MONITOR_AWARE_V2, then V1.
    if (auto setContext = LookUp<SetContextFn>(L"user32.dll", "SetProcessDpiAwarenessContext")) {
        if (setContext(reinterpret_cast<HANDLE>(-4)) || setContext(reinterpret_cast<HANDLE>(-3))) return;
    }
    if (auto setAware = LookUp<BOOL(WINAPI*)()>(L"user32.dll", "SetProcessDPIAware")) setAware();
}

UINT SystemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSX) : kDesignDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? static_cast<UINT>(dpi) : kDesignDpi;
}

UINT WindowDpi(HWND window) {
    static const auto getDpiForWindow = LookUp<GetDpiForWindowFn>(L"user32.dll", "GetDpiForWindow");
    if (window && getDpiForWindow) {
        if (const UINT dpi = getDpiForWindow(window)) return dpi;
    }
    return SystemDpi();
}

UINT MonitorDpiAt(POINT screenPoint) {
    static const auto getDpiForMonitor = LookUp<GetDpiForMonitorFn>(L"shcore.dll", "GetDpiForMonitor");
    if (getDpiForMonitor) {
        UINT x = 0, y = 0;
        // MDT_EFFECTIVE_DPI
        if (getDpiForMonitor(MonitorFromPoint(screenPoint, MONITOR_DEFAULTTONEAREST), 0, &x, &y) == S_OK && x)
            return x;
    }
    return SystemDpi();
}
