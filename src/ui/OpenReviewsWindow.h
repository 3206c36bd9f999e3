#pragma once
// Opening the reviews window of an add-on from the main window: the wait
// window shows while the opening conversation runs, for at most 10 seconds;
// when that fails or takes longer the user is told "PlugRatingError" and
// the reviews window is never shown (whatever the conversation still
// delivers is dropped). Otherwise the window is shown modally over the
// main window until the user closes it.
#include <memory>

#include "browsers/BrowserAppBase.h"
#include "ui/FrmKoltRate.h"
#include "ui/toolkit/OrixForm.h"

inline constexpr unsigned kReviewsOpeningLimitMs = 10000;

// The main window (owner) is disabled by its caller before; it is enabled
// again for the reviews window's modal loop or the failure message, which
// keep it disabled while they are open and hand the activation back to it.
// Returns when the reviews window was closed or could not be opened.
void OpenReviewsWindow(TOrixForm& owner, TBrowserAppBase& adapter, TBrowserExtensionInfo& addon);

// The steps before the window is shown: the wait window, the opening
// conversation, the message on failure. The loaded window, hidden, or none.
std::unique_ptr<TfrmKoltRate> LoadReviewsWindow(TOrixForm& owner, TBrowserAppBase& adapter,
                                                TBrowserExtensionInfo& addon);
