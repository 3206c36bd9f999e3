#pragma once
// How Windows knows a browser, as LoadStartMenuInfo found it.
#include <string>

struct TBrowserRegistration {
    // The browser's subkey of SOFTWARE\Clients\StartMenuInternet, as
    // registered (a per-user install may add a suffix); empty when none.
    std::wstring StartMenuKey;
    // Found in the current user's registry rather than the machine's.
    bool PerUser = false;
    // The http ProgId the registration names, when it carries a suffix of
    // its own; empty means the browser's plain ProgId.
    std::wstring UrlProgId;
};
