#pragma once
// Which add-ons can be switched off and on: everything except Internet
// Explorer's context-menu entries and the plug-ins of the other browsers,
// whose configuration has no switch the program could write.
#include "browsers/BrowserExtensionInfo.h"
#include "browsers/BrowserKind.h"

bool HasAddonSwitch(BrowserKind browser, AddonKind kind);
