#pragma once
// The program changes the machine-wide browser registrations, so it refuses
// to run for a user who may not write them.
#include <string>

// HKEY_LOCAL_MACHINE key of the start-menu browser registrations.
inline constexpr wchar_t kBrowserConfigKey[] = L"SOFTWARE\\Clients\\StartMenuInternet\\";

// True only when opening the HKEY_LOCAL_MACHINE key with full access is
// refused; a key that opens, or that is missing, or any other error passes.
// The key is looked at in the program's own (32-bit) registry view.
bool BrowserConfigAccessDenied(const std::wstring& keyPath = kBrowserConfigKey);

// When access is denied: shows the message "ACCESSDENIED" in a plain system
// message box and posts the quit request to this thread's message queue.
void CheckBrowserConfigAccess();
