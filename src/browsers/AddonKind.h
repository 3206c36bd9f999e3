#pragma once
// The kind of an add-on within its browser family. Plain enough for the
// portable code (the console companion's listings) to include.
#include <cstdint>

// The main window's kind filter uses the same numbers with 0 for "all".
// Internet Explorer uses 1, 2 and 4 (its toolbar buttons are shown as
// toolbars); the other families 1 and 2.
enum class AddonKind : std::uint8_t {
    All = 0,
    BrowserHelperObject = 1,
    Toolbar = 2,
    ContextMenuEntry = 4,
    Extension = 1,
    Plugin = 2,
};
