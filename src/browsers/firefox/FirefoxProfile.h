#pragma once
// Where Firefox keeps the profile the program lists.
#include <string>

// roamingAppData (no trailing backslash) + "\Mozilla\Firefox\"; empty when
// roamingAppData is empty.
std::wstring FirefoxFolder(const std::wstring& roamingAppData);

// The profile folder, ending in a backslash: firefoxFolder (ending in a
// backslash) joined with "Path" of section "Profile0" of its "profiles.ini",
// every "/" turned into "\". The value is joined even when it is absolute, and
// a missing file, section or key gives firefoxFolder followed by one more
// backslash. No other section or key is read.
std::wstring FirefoxProfileFolder(const std::wstring& firefoxFolder);
