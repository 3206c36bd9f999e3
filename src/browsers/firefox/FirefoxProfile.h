#pragma once
// Where Firefox keeps its profiles.
#include <string>
#include <vector>

#include "browsers/BrowserProfile.h"

// roamingAppData (no trailing backslash) + "\Mozilla\Firefox\"; empty when
// roamingAppData is empty.
std::wstring FirefoxFolder(const std::wstring& roamingAppData);

// The profiles "profiles.ini" in firefoxFolder (ending in a backslash)
// names, in ReadFirefoxProfiles order, each whose folder exists: a relative
// Path lies below firefoxFolder, an IsRelative=0 one is a folder of its
// own; "/" reads as "\" in both. Folder is the Path as written, Name the
// profile's Name. Empty when the file is missing or names none.
std::vector<TBrowserProfile> FindFirefoxProfiles(const std::wstring& firefoxFolder);

// Where the adapter looks when "profiles.ini" names no profile that exists:
// the Firefox folder itself followed by one more backslash.
std::wstring FirefoxFallbackFolder(const std::wstring& firefoxFolder);
