#pragma once
// The browsers the program offers, in the order their buttons appear.
#include <memory>
#include <vector>

#include "browsers/BrowserAppBase.h"

using BrowserList = std::vector<std::unique_ptr<TBrowserAppBase>>;

// Appends the four adapters to an empty list: the browsers found, in the
// order Chrome family, Internet Explorer (always found), Firefox, Opera,
// then those not found in the same order. Every adapter reads its add-ons
// while it is made, so this does all add-on reading of the program. Found
// browsers get their start-menu registration; Internet Explorer only its
// icon. Should an adapter raise, the list keeps those appended until then.
void GetBrowserList(BrowserList& list);
