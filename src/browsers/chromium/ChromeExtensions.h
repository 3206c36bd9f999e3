#pragma once
// The browsers built on Chromium with Chrome's profile layout: Google
// Chrome and the browsers that share its button (Comodo Dragon, RockMelt,
// Chromium), Microsoft Edge, Brave and Vivaldi. One adapter reads one
// profile of one of them.
#include <array>
#include <optional>
#include <string>
#include <vector>

#include "browsers/BrowserProfile.h"
#include "browsers/chromium/ChromiumAdapter.h"

// The candidate default profile folders of the old Chrome family, relative
// to the local application-data folder, in the order they are tried.
extern const std::array<const wchar_t*, 4> ChromiumProfileDirs;

// The first candidate under localAppData (no trailing backslash) that holds
// a file, not a folder, named "Preferences"; ends in a backslash. Empty when
// none does or localAppData is empty.
std::wstring FindChromiumProfile(const std::wstring& localAppData);

// The profiles of the first member of the old Chrome family (in
// ChromiumProfileDirs order) that has any (FindChromiumProfiles); Chrome
// with none when none has.
struct ChromeFamilyProfiles {
    BrowserId member = BrowserId::Chrome;
    std::vector<TBrowserProfile> profiles;
};
ChromeFamilyProfiles FindChromeFamilyProfiles(const std::wstring& localAppData);

// The user data folder of a browser built on Chromium below localAppData (no
// trailing backslash), ending in a backslash; empty when either is empty.
std::wstring ChromiumUserData(const std::wstring& localAppData, BrowserId browser);

class TChromeExtensions : public TChromiumAdapter {
public:
    // Reads the first profile of the old Chrome family found under the user's
    // local application data; DataPath stays empty when there is none.
    // Raises nothing.
    TChromeExtensions();
    // Reads this profile of this browser; without one the browser counts as
    // not found. Raises nothing.
    TChromeExtensions(BrowserId browser, const std::optional<TBrowserProfile>& profile);
};
