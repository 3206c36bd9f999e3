#include "browsers/CompareExtensions.h"

#include <algorithm>

int CompareExtensions(const TBrowserExtensionInfo& a, const TBrowserExtensionInfo& b) {
    if (a.Kind != b.Kind) return static_cast<int>(a.Kind) - static_cast<int>(b.Kind);
    const size_t common = std::min(a.Name.size(), b.Name.size());
    for (size_t i = 0; i < common; ++i) {
        // Code units, not code points: a surrogate pair sorts by its high half.
        const auto left = static_cast<std::uint16_t>(a.Name[i]);
        const auto right = static_cast<std::uint16_t>(b.Name[i]);
        if (left != right) return left < right ? -1 : 1;
    }
    if (a.Name.size() == b.Name.size()) return 0;
    return a.Name.size() < b.Name.size() ? -1 : 1;
}
