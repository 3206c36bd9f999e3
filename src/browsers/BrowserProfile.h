#pragma once
// One profile of a browser, as the browser's own files name it.
#include <string>

struct TBrowserProfile {
    // The profile's folder, ending in a backslash.
    std::wstring DataPath;
    // The profile as the browser records it: the folder's name under the
    // user data ("Default", "Profile 1"), for Firefox the "Path" of
    // "profiles.ini" as written there.
    std::wstring Folder;
    // The name the user gave it; empty when the browser keeps none.
    std::wstring Name;
};
