#pragma once
// The order of every add-on list: kind ascending, then name by UTF-16 code
// unit, case-sensitive ("B" before "b", a prefix before the longer name).
#include "browsers/BrowserExtensionInfo.h"

// Negative, zero or positive, like a comparison function.
int CompareExtensions(const TBrowserExtensionInfo& a, const TBrowserExtensionInfo& b);
