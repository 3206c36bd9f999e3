#pragma once
// The files of a Firefox add-on on disk: where the add-on is, and its icons,
// read from its package (".xpi", a ZIP archive) or its unpacked folder.
#include <string>
#include <vector>

#include "gfx/AddonPicture.h"
#include "browsers/firefox/FirefoxAddonEntry.h"

// A full path below a drive ("C:\...") or a share ("\\server\share\..."):
// the only kind the program ever hands to the shell for deletion. An empty,
// relative or root path, or one of another system, is not.
bool IsFullWindowsPath(const std::wstring& path);

// The add-on's file or folder. entry.path as written, except for an add-on of
// the profile ("location" "app-profile") whose path is no existing full
// Windows path (a profile moved or copied since, or written on another
// system): the profile keeps such add-ons in its "extensions" folder, as
// "<id>.xpi" or as a folder "<id>", and the one that exists there is taken.
// profileFolder ends in a backslash.
std::wstring ResolveAddonPath(const std::wstring& profileFolder, const FirefoxAddonEntry& entry);

// The first of files (paths inside the add-on, "/" between folders) that is
// a PNG picture, read from the package when addonPath is a file and from
// the folder otherwise; chosen receives its name. None, with chosen empty,
// when no file gives a picture or the add-on cannot be read. Raises nothing.
AddonPicture LoadAddonIcon(const std::wstring& addonPath, const std::vector<std::string>& files, std::string& chosen);
