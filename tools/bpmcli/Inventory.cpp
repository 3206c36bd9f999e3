#include "Inventory.h"

#include <string>

#include "browsers/DefaultBrowser.h"
#include "platform/SystemInfo.h"
#include "platform/Utf.h"

InstalledBrowser FindInstalledBrowser(const BrowserList& list, BrowserKind kind) {
    for (const auto& adapter : list) {
        if (adapter->Kind != kind) continue;
        if (adapter->DataPath.empty())
            return {nullptr, ToUtf8(adapter->DisplayName) + " was not found on this computer"};
        return {adapter.get(), {}};
    }
    return {nullptr, "no such browser"};
}

ListedBrowser DescribeBrowser(TBrowserAppBase& adapter, bool withState) {
    ListedBrowser listed;
    listed.kind = adapter.Kind;
    listed.browser = std::string(BrowserKeyword(adapter.Kind));
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
        addon.kind = record.Kind;
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
