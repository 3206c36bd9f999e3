#pragma once
// A long-used Chrome profile for the benchmarks: a "Preferences" file of a
// chosen size whose settings hold many extensions the way current browsers
// write them, each with its installed version folder and a 48x48 PNG icon.
#include <cstddef>
#include <string>

// The default profile's folder (with a trailing backslash) below a local
// application data folder.
std::wstring ChromeProfileFolderIn(const std::wstring& localAppData);

// Extension n's id (32 letters 'a' to 'p') and version.
std::string LargeProfileExtensionId(int n);
std::string LargeProfileExtensionVersion(int n);
// Where extension n's icon lies in the profile.
std::wstring LargeProfileIconPath(const std::wstring& profile, int n);

// A 48x48 PNG with a pattern, encoded by GDI+ through a temporary file at
// scratchPath (deleted again); empty when it cannot be made.
std::string MakePatternPng(const std::wstring& scratchPath);

// Writes the profile's "Preferences" of about targetBytes with count
// extensions (every fifth switched off and listed in "known_disabled") and
// every extension's icon. Answers the size of "Preferences", 0 when it could
// not be written.
std::size_t WriteLargeChromeProfile(const std::wstring& profile, int count, std::size_t targetBytes,
                                    const std::string& png);

// A profile folder made afresh in the Wine prefix's local application data,
// with the icon every extension gets. error is empty when it is ready;
// otherwise it says why not and nothing is left behind. The caller removes
// vendor (the "Google" folder) when done.
struct ScratchChromeProfile {
    std::wstring vendor;
    std::wstring profile;
    std::string png;
    std::string error;
};
ScratchChromeProfile PrepareScratchChromeProfile();
