#pragma once
// A crowded Internet Explorer registry for the benchmarks: thousands of
// helper objects, toolbars and toolbar buttons across both registry views,
// and Mozilla plug-ins, all made in a scratch registry that removes them
// again.
#include <functional>
#include <string>

#include "support/ScratchRegistry.h"

struct CrowdedIECounts {
    int helpers = 0;
    int toolbars = 0;
    int buttons = 0;
    int plugins = 0;
};

// One of four of Wine's files with icons, so that every record pays for its
// picture.
std::wstring SharedIconFile(int i);

// Registers addons add-ons, add-on i in the file fileOf(i), and plugins
// plug-ins. Every fourth add-on is registered in both views, the rest
// alternate; the classes alternate between the 64-bit and the 32-bit
// registration; every tenth add-on is switched off.
CrowdedIECounts FillCrowdedIERegistry(ScratchRegistry& registry, int addons, int plugins,
                                      const std::function<std::wstring(int)>& fileOf);
