#pragma once
// The profiles of a Chromium user data folder on disk.
#include <string>
#include <vector>

#include "browsers/BrowserProfile.h"

// The profiles "Local State" in userData (ending in a backslash) names, the
// last used first (ReadLocalStateProfiles), each whose folder holds
// "Preferences" or "Secure Preferences". Without a "Local State", or when
// it names no such profile, the folder "Default" alone when it holds a file
// "Preferences" (then without a name). Empty when there is none or
// userData is empty.
std::vector<TBrowserProfile> FindChromiumProfiles(const std::wstring& userData);
