// Program entry: one instance per machine, the settings and the language,
// the check that the user may change the browsers' configuration, then the
// image module, the main window and the message loop. The process ends in
// the main window's destroy handler.
#include <windows.h>

#include "app/AppConfig.h"
#include "app/ApplicationWindow.h"
#include "app/BrowserConfigAccess.h"
#include "app/LanguageChoice.h"
#include "app/RunOnce.h"
#include "ui/FrmKoltMain.h"
#include "ui/ImgModule.h"
#include "ui/OpenReviewsWindow.h"
#include "ui/toolkit/OrixMessageLoop.h"

namespace {

bool QuitRequested() {
    MSG message;
    return PeekMessageW(&message, nullptr, WM_QUIT, WM_QUIT, PM_NOREMOVE) != FALSE;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    OpenInstanceRecord();
    TApplicationWindow application;
    if (ClaimFirstInstance(application.Handle())) {
        // Another instance was brought to the front: nothing of this one
        // is read, shown or written.
        CloseInstanceRecord();
        return 0;
    }

    LoadSettings();
    ChooseLanguageFile(AppConfig.Language);
    CheckBrowserConfigAccess();

    ImgModule();
    TfrmKoltMain mainWindow;
    mainWindow.OnShowReviews = [&mainWindow](TBrowserAppBase& adapter, TBrowserExtensionInfo& addon) {
        OpenReviewsWindow(mainWindow, adapter, addon);
    };
    if (!mainWindow.CreateMainWindow()) return 1;
    // After a refused access check the window is made (its destruction is
    // the one way out, saving the settings) but never shown.
    if (!QuitRequested()) mainWindow.ShowMainWindow();
    application.SetMainWindow(mainWindow.Handle());
    RegisterMainWindow(mainWindow.Handle());

    RunOrixMessageLoop();
    // The loop ends with the window closed or with a quit request; either
    // way its destroy handler saves the settings and ends the process.
    DestroyWindow(mainWindow.Handle());
    return 0;
}
