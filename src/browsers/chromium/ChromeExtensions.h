#pragma once
// Google Chrome and the browsers that share its profile layout (Comodo
// Dragon, RockMelt, Chromium): the first of their default profiles that
// holds a "Preferences" file is the one listed.
#include <array>
#include <string>

#include "browsers/chromium/ChromiumAdapter.h"

// The candidate profile folders, relative to the local application-data
// folder, in the order they are tried.
extern const std::array<const wchar_t*, 4> ChromiumProfileDirs;

// The first candidate under localAppData (no trailing backslash) that holds
// a file, not a folder, named "Preferences"; ends in a backslash. Empty when
// none does or localAppData is empty.
std::wstring FindChromiumProfile(const std::wstring& localAppData);

class TChromeExtensions : public TChromiumAdapter {
public:
    // Reads the profile found under the user's local application data;
    // DataPath stays empty when there is none. Raises nothing.
    TChromeExtensions();
};
