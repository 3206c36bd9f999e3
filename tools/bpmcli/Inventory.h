#pragma once
// bpmcli's view of the program's browser list: the adapters as GetBrowserList
// makes them, turned into the plain listing that the output forms print.
#include <string>

#include "browsers/BrowserList.h"
#include "cli/AddonListing.h"

// The adapter of the browser a command works on; none, with error saying
// why, when the list has no such browser or it is not installed.
struct InstalledBrowser {
    TBrowserAppBase* adapter = nullptr;
    std::string error;
};
InstalledBrowser FindInstalledBrowser(const BrowserList& list, BrowserKind kind);

// The adapter's fields and its records in list order. withState: also ask
// whether the browser is the default and whether it runs.
ListedBrowser DescribeBrowser(TBrowserAppBase& adapter, bool withState);
