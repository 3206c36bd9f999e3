#pragma once
// bpmcli's view of the program's browser list: the adapters as GetBrowserList
// makes them, turned into the plain listing that the output forms print.
#include "browsers/BrowserList.h"
#include "cli/AddonListing.h"

// The adapter of a BrowserKind number; null when the list has none.
TBrowserAppBase* FindBrowser(const BrowserList& list, int browserKind);

// The adapter's fields and its records in list order. withState: also ask
// whether the browser is the default and whether it runs.
ListedBrowser DescribeBrowser(TBrowserAppBase& adapter, bool withState);
