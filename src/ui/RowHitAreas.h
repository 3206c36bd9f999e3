#pragma once
// What the main window's list keeps per row: the add-on it shows and where
// its delete button, switch and rating were drawn at the last paint, so that
// a hover or a click is tested against what the user saw.
#include <windows.h>

#include "browsers/BrowserExtensionInfo.h"
#include "ui/toolkit/OrixListModel.h"

class TRowHitAreas : public TOrixRowData {
public:
    explicit TRowHitAreas(TBrowserExtensionInfo* addon) : Addon(addon) {}

    RECT DeleteRect = {};
    RECT ToggleRect = {};  // stays empty for rows without a switch
    RECT RatingRect = {};
    TBrowserExtensionInfo* Addon;  // owned by the adapter
};
