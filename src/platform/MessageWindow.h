#pragma once
// Message-only windows: the program's hand-over points between threads.
#include <windows.h>

// Registers the window class once per process: true when it is registered
// now or was already (any other failure is false, with GetLastError set).
bool RegisterClassOnce(const wchar_t* className, WNDPROC procedure);

// A message-only window of a class registered with RegisterClassOnce; null
// when registering or creating it failed. `data` is stored in the window's
// user data (GWLP_USERDATA) before the first message it handles, so its
// procedure reaches its state through the window instead of through globals.
HWND CreateMessageWindow(const wchar_t* className, WNDPROC procedure, void* data = nullptr);

// The pointer CreateMessageWindow stored for the window.
template <class T>
T* MessageWindowData(HWND window) {
    return reinterpret_cast<T*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}
