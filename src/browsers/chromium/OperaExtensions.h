#pragma once
// Opera: one profile, "Opera Stable" under the roaming application data,
// kept in the same "Preferences" layout as Chrome's.
#include <string>

#include "browsers/chromium/ChromiumAdapter.h"

// roamingAppData (no trailing backslash) + "\Opera Software\Opera Stable\"
// when that folder exists and holds "Preferences"; empty otherwise.
std::wstring FindOperaProfile(const std::wstring& roamingAppData);

class TOPeraExtensions : public TChromiumAdapter {
public:
    // Reads Opera's profile; DataPath stays empty when there is none.
    // Raises nothing.
    TOPeraExtensions();
};
