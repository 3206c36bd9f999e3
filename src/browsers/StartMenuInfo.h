#pragma once
// What Windows knows of an installed browser from its StartMenuInternet
// registration: the open command, reinstall command, description and icon.
#include <optional>
#include <string>

class TBrowserAppBase;

// Fills OpenCommand, ReinstallCommand, Description, IconHandle and
// Registration from the browser's registration (its facts' start-menu key;
// an adapter of no named browser: its Kind's); the 32-bit registration
// stands in for each value the native one leaves empty. A browser that may
// register with a suffix (Edge, Brave, Vivaldi) is found under its plain key
// or the plain key, a dot and a suffix, in the machine's registry and then
// in the current user's.
void LoadStartMenuInfo(TBrowserAppBase& adapter);
// Gives `to` (another profile of the same browser) what LoadStartMenuInfo
// read for `from`, except the icon, which only the browser's button shows.
void CopyStartMenuInfo(const TBrowserAppBase& from, TBrowserAppBase& to);

struct IconLocation {
    std::wstring file;
    int index = 0;
};
// "path,index" split at its first comma. A location without a comma, or
// with an index that is no whole number, names no icon.
std::optional<IconLocation> ParseIconLocation(const std::wstring& location);
