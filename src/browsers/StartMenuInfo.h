#pragma once
// What Windows knows of an installed browser from its StartMenuInternet
// registration: the open command, reinstall command, description and icon.
#include <optional>
#include <string>

class TBrowserAppBase;

// Fills OpenCommand, ReinstallCommand, Description and IconHandle from the
// registration of the adapter's Kind; the 32-bit registration stands in for
// each value the native one leaves empty.
void LoadStartMenuInfo(TBrowserAppBase& adapter);

struct IconLocation {
    std::wstring file;
    int index = 0;
};
// "path,index" split at its first comma. A location without a comma, or
// with an index that is no whole number, names no icon.
std::optional<IconLocation> ParseIconLocation(const std::wstring& location);
