#include "browsers/BrowserAppBase.h"

#include <algorithm>

#include "browsers/CompareExtensions.h"
#include "json/JsonDocument.h"

TBrowserExtensionInfo* TBrowserAppBase::GetExtension(int index) const {
    if (index < 0 || index >= GetExtensionCount()) return nullptr;
    return Extensions[static_cast<size_t>(index)].get();
}

int TBrowserAppBase::GetExtensionCount() const { return static_cast<int>(Extensions.size()); }

void TBrowserAppBase::SortExtensions() {
    // Stable, so records that compare equal keep the order they were read in.
    std::stable_sort(Extensions.begin(), Extensions.end(),
                     [](const auto& a, const auto& b) { return CompareExtensions(*a, *b) < 0; });
}

bool TBrowserAppBase::DestroyExtension(const TBrowserExtensionInfo* record) {
    const auto found = std::find_if(Extensions.begin(), Extensions.end(),
                                    [record](const auto& owned) { return owned.get() == record; });
    if (found == Extensions.end()) return false;
    Extensions.erase(found);
    return true;
}

TBrowserAppBase::TBrowserAppBase() = default;
TBrowserAppBase::~TBrowserAppBase() = default;

bool HasAddonSwitch(BrowserKind browser, AddonKind kind) {
    if (browser == BrowserKind::InternetExplorer) return kind != AddonKind::ContextMenuEntry;
    return kind != AddonKind::Plugin;
}
