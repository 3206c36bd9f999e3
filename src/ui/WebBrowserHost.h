#pragma once
// The system's web browser control hosted in a child window by a minimal OLE
// site of our own (client site, in-place site and frame, event sink). Only
// web addresses are navigated to: a navigation inside it to anything but an
// "http://" or "https://" address is cancelled, and a page's request for a
// new window opens its address in the user's browser when it is one.
#include <memory>

#include "ui/FrmNews.h"

// None when the control cannot be made (no OLE, no browser installed).
std::unique_ptr<INewsBrowser> CreateWebBrowserControl();
