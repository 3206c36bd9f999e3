#include "browsers/AddonIconCache.h"

#include <windows.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

#include "browsers/AddonIcons.h"

AddonPicture TAddonIconCache::IconOf(const std::wstring& path) {
    auto found = pictures_.find(path);
    if (found == pictures_.end()) found = pictures_.emplace(path, ExtractIconImage(path, 0)).first;
    Gdiplus::Bitmap* original = found->second.get();
    if (!original) return {};
    // Every record owns its picture, so each gets a copy of its own.
    Gdiplus::Rect all(0, 0, static_cast<INT>(original->GetWidth()), static_cast<INT>(original->GetHeight()));
    AddonPicture copy(original->Clone(all, original->GetPixelFormat()));
    if (!copy || copy->GetLastStatus() != Gdiplus::Ok) return {};
    return copy;
}
