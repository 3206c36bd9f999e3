#pragma once
// The process's hidden application window: the handle a later start of the
// program sends its restore command to. It is a top-level window that is
// never shown and has no task-bar button; the main window has its own.
#include <windows.h>

#include "platform/UniqueHandles.h"

class TApplicationWindow {
public:
    // Creates the window; Handle() is null when that failed.
    TApplicationWindow();
    // The window keeps a pointer to this object.
    TApplicationWindow(const TApplicationWindow&) = delete;
    TApplicationWindow& operator=(const TApplicationWindow&) = delete;

    HWND Handle() const { return window_.get(); }

    // The window that the restore command brings back and to the front.
    void SetMainWindow(HWND mainWindow) { mainWindow_ = mainWindow; }
    HWND MainWindow() const { return mainWindow_; }

private:
    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    void RestoreMainWindow() const;

    HWND mainWindow_ = nullptr;
    UniqueWindow window_;
};
