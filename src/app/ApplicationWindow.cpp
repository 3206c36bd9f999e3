#include "app/ApplicationWindow.h"

#include "platform/MessageWindow.h"

namespace {

constexpr wchar_t kClassName[] = L"TBrivoApplication";
constexpr wchar_t kAppTitle[] = L"Brivo Plug-in Manager";

}  // namespace

TApplicationWindow::TApplicationWindow() {
    if (!RegisterClassOnce(kClassName, WindowProc)) return;
    // A tool window never gets a task-bar button, even if something shows it.
    window_.reset(CreateWindowExW(WS_EX_TOOLWINDOW, kClassName, kAppTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                  GetModuleHandleW(nullptr), nullptr));
    if (window_) SetWindowLongPtrW(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

void TApplicationWindow::RestoreMainWindow() const {
    if (!mainWindow_ || !IsWindow(mainWindow_)) return;
    if (IsIconic(mainWindow_))
        ShowWindow(mainWindow_, SW_RESTORE);
    else if (!IsWindowVisible(mainWindow_))
        ShowWindow(mainWindow_, SW_SHOW);
    SetForegroundWindow(mainWindow_);
}

LRESULT CALLBACK TApplicationWindow::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    // The low four bits of a system command are used by Windows itself.
    if (message == WM_SYSCOMMAND && (wParam & 0xFFF0) == SC_RESTORE) {
        const auto* self = reinterpret_cast<const TApplicationWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
        if (self) self->RestoreMainWindow();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}
