#pragma once
// The browsers the program offers, in the order their buttons appear, each
// with its profiles in order.
#include <memory>
#include <vector>

#include "browsers/BrowserAppBase.h"

// One adapter per profile: the profiles of a browser stand next to each
// other, the first profile first.
using BrowserList = std::vector<std::unique_ptr<TBrowserAppBase>>;

// Appends the adapters to an empty list. First the four families as they
// always were: the browsers found, in the order Chrome family, Internet
// Explorer (always found), Firefox, Opera, then those not found in the same
// order (one adapter each, without a profile). Then Microsoft Edge, Brave
// and Vivaldi, each only when it has a profile. Every profile of a browser
// has an adapter of its own: the Chromium-based browsers' profiles as
// FindChromiumProfiles lists them, Firefox's as FindFirefoxProfiles (the
// Firefox folder itself when it names none), Opera's one folder. Every
// adapter reads its add-ons while it is made, so this does all add-on
// reading of the program. Found browsers get their start-menu registration;
// Internet Explorer only its icon. Should an adapter raise, the list keeps
// those appended until then.
void GetBrowserList(BrowserList& list);

// The browsers of a list, each as its adapters in profile order: runs of
// neighbouring adapters of the same browser.
using BrowserProfiles = std::vector<TBrowserAppBase*>;
std::vector<BrowserProfiles> GroupByBrowser(const BrowserList& list);
