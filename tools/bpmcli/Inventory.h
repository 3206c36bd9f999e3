#pragma once
// bpmcli's view of the program's browser list: the adapters as GetBrowserList
// makes them, turned into the plain listing that the output forms print.
#include <string>

#include "browsers/BrowserList.h"
#include "cli/AddonListing.h"

// The command-line word of the adapter's browser.
std::string KeywordOf(const TBrowserAppBase& adapter);

// The adapter of the browser profile a command works on: the profile whose
// folder or given name is `profile` (letter case aside), the browser's first
// when `profile` is empty. None, with error saying why, when the list has no
// such browser, it is not installed or has no such profile.
struct InstalledBrowser {
    TBrowserAppBase* adapter = nullptr;
    std::string error;
};
InstalledBrowser FindInstalledBrowser(const BrowserList& list, BrowserId browser, const std::string& profile = {});

// The adapter's fields and its records in list order. withState: also ask
// whether the browser is the default and whether it runs.
ListedBrowser DescribeBrowser(TBrowserAppBase& adapter, bool withState);
