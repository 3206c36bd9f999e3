#pragma once
// Switching the interface to another language from the language menu.
#include <windows.h>

#include <string>

// Sent (both parameters 0) to the main window once the new language file is
// active; the window answers by translating itself again.
constexpr UINT WM_LANGUAGE_CHANGED = 0x3844;

// Stores the name as the chosen language and saves the settings, makes the
// name's file the active language file (no existence test and no fallback:
// a missing file leaves the built-in English texts), reloads it and sends
// WM_LANGUAGE_CHANGED to mainWindow (when there is one) before returning.
void SwitchLanguage(const std::wstring& name, HWND mainWindow);
