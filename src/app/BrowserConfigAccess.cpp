#include "app/BrowserConfigAccess.h"

#include "app/LanguageLookup.h"
#include "platform/RegistryHelpers.h"

#include <windows.h>

bool BrowserConfigAccessDenied(const std::wstring& keyPath) {
    return RegFullAccessResult(HKEY_LOCAL_MACHINE, keyPath) == ERROR_ACCESS_DENIED;
}

void CheckBrowserConfigAccess() {
    if (!BrowserConfigAccessDenied()) return;
    const std::wstring text = Translate(L"Messages", L"ACCESSDENIED", L"");
    MessageBoxW(nullptr, text.c_str(), L"Brivo Plug-in Manager", MB_OK | MB_ICONERROR);
    PostQuitMessage(0);
}
