#pragma once
// The profiles Firefox's "profiles.ini" names, in the order the program
// lists them. No files or Windows here; the text is UTF-8.
#include <string>
#include <string_view>
#include <vector>

struct FirefoxIniProfile {
    std::string section;  // "Profile0", "Profile1", ...
    std::string name;     // Name=
    std::string path;     // Path=, as written
    // IsRelative=0: Path is a folder of its own; otherwise it lies below the
    // Firefox folder.
    bool relative = true;
};

// Every section "Profile" followed by digits that has a Name and a Path.
// The default profile first: the one whose Path the Default= of an
// "Install..." section names (the first such section with a Default), else
// the first with Default=1, else "Profile0"; then the others in file order.
std::vector<FirefoxIniProfile> ReadFirefoxProfiles(std::string_view utf8);
