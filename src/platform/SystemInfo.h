#pragma once
// What the program knows about the Windows it runs on: the start-up values
// (WOW64, Program Files, roaming application data, desktop window) and the
// version tests that choose between registry views and browsers.
#include <windows.h>

#include <string>

// Start-up values. They are computed when the program is loaded, so they hold
// from the first line of main; InitPublicFuns() computes them again and is
// called by start-up code before any window exists. Code that runs during
// static initialisation of other files must not rely on them.
extern bool IsWin64;                  // 64-bit Windows: a 64-bit process, or WOW64 on x64 / Itanium
extern std::wstring ProgramFilesDir;  // with trailing backslash; the 32-bit folder on 64-bit Windows
extern std::wstring AppDataDir;       // roaming application data, with trailing backslash
extern HWND DesktopWindow;
void InitPublicFuns();

// A 64-bit build sees no WOW64 redirection of its own: it reaches both
// registry views with explicit flags, and the file system as it is.
constexpr bool Is64BitProcess = sizeof(void*) == 8;

// The version numbers Windows reports to this process (GetVersionExW).
struct OsVersion {
    DWORD major = 0;
    DWORD minor = 0;
};
OsVersion ReportedOsVersion();

// 6.2 and 6.3 only; a later major version is not "Windows 8".
bool IsWindows8Version(OsVersion version);
// 6.2 or later (Windows 8, 8.1, 10, 11): the versions on which only the
// user may choose the default browser, in the system's settings.
bool IsWindows8OrLaterVersion(OsVersion version);
// 64-bit Vista/Server 2008 (6.0) and XP x64/Server 2003 (5.2): the WOW64 of
// these versions opens a literal Wow6432Node path only in the 32-bit view.
bool IsLegacyWow64Version(bool win64, OsVersion version);

// The same tests on the reported version, evaluated on every call.
bool IsWindows8();
bool IsWindows8OrLater();
bool IsLegacyWow64();
