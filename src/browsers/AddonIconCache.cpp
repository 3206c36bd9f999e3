#include "browsers/AddonIconCache.h"

#include "gfx/AddonIcons.h"
#include "gfx/PngPicture.h"

AddonPicture TAddonIconCache::IconOf(const std::wstring& path) {
    auto found = pictures_.find(path);
    if (found == pictures_.end()) found = pictures_.emplace(path, ExtractIconImage(path, 0)).first;
    if (!found->second) return {};
    // Every record owns its picture, so each gets a copy of its own.
    return ClonePicture(*found->second);
}
