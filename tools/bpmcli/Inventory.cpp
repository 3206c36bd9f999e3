#include "Inventory.h"

#include <string>

#include "browsers/DefaultBrowser.h"
#include "cli/CliArguments.h"
#include "platform/SystemInfo.h"
#include "platform/Utf.h"

TBrowserAppBase* FindBrowser(const BrowserList& list, int browserKind) {
    for (const auto& adapter : list)
        if (static_cast<int>(adapter->Kind) == browserKind) return adapter.get();
    return nullptr;
}

ListedBrowser DescribeBrowser(TBrowserAppBase& adapter, bool withState) {
    ListedBrowser listed;
    listed.kind = static_cast<int>(adapter.Kind);
    listed.browser = std::string(BrowserKeyword(listed.kind));
    listed.displayName = ToUtf8(adapter.DisplayName);
    listed.found = !adapter.DataPath.empty();
    listed.dataPath = ToUtf8(adapter.DataPath);
    if (withState) {
        listed.isDefault = IsDefaultBrowser(adapter);
        listed.running = adapter.IsBrowserRunning();
    }
    for (int i = 0; i < adapter.GetExtensionCount(); ++i) {
        const TBrowserExtensionInfo& record = *adapter.GetExtension(i);
        ListedAddon addon;
        addon.id = ToUtf8(record.Id);
        addon.name = ToUtf8(record.Name);
        addon.description = ToUtf8(record.Description);
        addon.version = ToUtf8(record.Version);
        addon.kind = static_cast<int>(record.Kind);
        addon.disabled = record.Disabled;
        addon.nativeView = record.NativeView;
        addon.filePath = ToUtf8(record.FilePath);
        addon.iconUrl = ToUtf8(record.IconUrl);
        addon.hasIcon = static_cast<bool>(record.Icon);
        addon.rating = record.Rating;
        addon.mark64 = IsWin64 && record.NativeView == 1;
        listed.addons.push_back(std::move(addon));
    }
    return listed;
}
