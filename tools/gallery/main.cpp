// The control gallery. Options, for screenshots and tests:
//   --open-menu       open the main menu and its Language sub-menu
//   --message         open the message box
//   --exit-after=N    end the program after N seconds
// and those of the small-windows mode (SmallWindowsMain.h).
#include <windows.h>

#include <string>

#include "Gallery.h"
#include "SmallWindowsMain.h"
#include "ui/toolkit/OrixDpi.h"
#include "ui/toolkit/OrixMessageLoop.h"

namespace {

constexpr UINT_PTR kOpenTimer = 1;
Gallery* g_gallery = nullptr;
bool g_openMenu = false;
bool g_openMessage = false;

void CALLBACK OpenLater(HWND window, UINT, UINT_PTR id, DWORD) {
    KillTimer(window, id);
    if (g_openMenu) g_gallery->OpenMenuForShow();
    if (g_openMessage) g_gallery->AskQuestion();
}

void CALLBACK ExitNow(HWND, UINT, UINT_PTR, DWORD) { ExitProcess(0); }

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
    EnablePerMonitorDpi();
    const std::wstring options = commandLine ? commandLine : L"";
    if (WantsSmallWindows(options)) return RunSmallWindows(options);
    g_openMenu = options.find(L"--open-menu") != std::wstring::npos;
    g_openMessage = options.find(L"--message") != std::wstring::npos;
    const size_t exitAt = options.find(L"--exit-after=");
    Gallery gallery(SystemDpi() >= 144 ? 2 : 1);
    g_gallery = &gallery;
    if (!gallery.Create()) return 1;
    gallery.Form().Show();
    // The focus look, on the button named for it.
    if (auto* focus = dynamic_cast<TOrixControl*>(gallery.Form().FindComponent(L"btnFocus"))) focus->SetFocus();
    if (g_openMenu || g_openMessage) SetTimer(gallery.Form().Handle(), kOpenTimer, 700, OpenLater);
    if (exitAt != std::wstring::npos)
        SetTimer(nullptr, 0, static_cast<UINT>(_wtoi(options.c_str() + exitAt + 13)) * 1000, ExitNow);
    return RunOrixMessageLoop();
}
