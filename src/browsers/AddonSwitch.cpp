#include "browsers/AddonSwitch.h"

bool HasAddonSwitch(BrowserKind browser, AddonKind kind) {
    if (browser == BrowserKind::InternetExplorer) return kind != AddonKind::ContextMenuEntry;
    return kind != AddonKind::Plugin;
}
