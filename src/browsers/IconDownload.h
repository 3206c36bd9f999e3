#pragma once
// The background download of a record's icon from its IconUrl.
#include <cstddef>

#include "browsers/BrowserExtensionInfo.h"

// Starts fetching record.IconUrl at idle priority (a few downloads run at a
// time; later ones wait for them). When a PNG picture
// arrives, the record receives it on the user-interface thread as
// DownloadedIcon and as a copy in Icon; anything else (a failed fetch, an
// HTML page, a JPEG) leaves Icon as it was. A record destroyed meanwhile is
// not touched: its ticket (record.IconDownload) drops the result. Starting
// again for the same record drops the earlier download's result. Call on the
// user-interface thread.
void StartIconDownload(TBrowserExtensionInfo& record);

// Icon downloads waiting or running whose end has not yet reached the
// user-interface thread.
std::size_t IconDownloadsRunning();
