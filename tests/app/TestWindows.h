#pragma once
// Real top-level windows for the start-up tests: a plain window standing in
// for the main window, and one that notes every system command it is sent.
#include <windows.h>

#include <vector>

#include "platform/MessageWindow.h"
#include "platform/UniqueHandles.h"

// A top-level window with a title bar at (left, top), 400 x 300, shown
// unless told otherwise. Under Wine without a window manager hiding or
// destroying a window that has been on screen takes two seconds, so tests
// show only the windows whose state they look at.
inline UniqueWindow CreateTestWindow(const wchar_t* title, bool shown = true, int left = 100, int top = 100) {
    RegisterClassOnce(L"BrivoStartupTestWindow", DefWindowProcW);
    UniqueWindow window(CreateWindowExW(0, L"BrivoStartupTestWindow", title, WS_OVERLAPPEDWINDOW, left, top, 400, 300,
                                        nullptr, nullptr, GetModuleHandleW(nullptr), nullptr));
    if (window && shown) ShowWindow(window.get(), SW_SHOWNORMAL);
    return window;
}

// A hidden top-level window that keeps the WM_SYSCOMMAND messages it gets
// and handles none of them.
class CommandRecorder {
public:
    struct Command {
        WPARAM wParam;
        LPARAM lParam;
    };

    CommandRecorder() {
        RegisterClassOnce(L"BrivoCommandRecorder", Procedure);
        window_.reset(CreateWindowExW(0, L"BrivoCommandRecorder", L"", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                      GetModuleHandleW(nullptr), nullptr));
        SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }
    CommandRecorder(const CommandRecorder&) = delete;
    CommandRecorder& operator=(const CommandRecorder&) = delete;

    HWND Handle() const { return window_.get(); }
    const std::vector<Command>& Commands() const { return commands_; }

private:
    static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_SYSCOMMAND) {
            if (auto* self = reinterpret_cast<CommandRecorder*>(GetWindowLongPtrW(window, GWLP_USERDATA)))
                self->commands_.push_back({wParam, lParam});
            return 0;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    }

    std::vector<Command> commands_;
    UniqueWindow window_;
};

// True when `upper` comes before `lower` in the z-order of top-level windows.
inline bool IsAbove(HWND upper, HWND lower) {
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (w == upper) return true;
        if (w == lower) return false;
    }
    return false;
}
