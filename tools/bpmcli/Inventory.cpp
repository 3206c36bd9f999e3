#include "Inventory.h"

#include <windows.h>

#include <string>

#include "browsers/DefaultBrowser.h"
#include "platform/SystemInfo.h"
#include "platform/Utf.h"

namespace {

// Profile names are the user's own words in any script: compared the way
// Windows compares file names.
bool SameProfileText(const std::wstring& a, const std::wstring& b) {
    return !a.empty() && CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                              static_cast<int>(b.size()), TRUE) == CSTR_EQUAL;
}

}  // namespace

std::string KeywordOf(const TBrowserAppBase& adapter) {
    if (adapter.Browser != BrowserId::None) return std::string(FactsOf(adapter.Browser).keyword);
    return std::string(BrowserKeyword(adapter.Kind));
}

InstalledBrowser FindInstalledBrowser(const BrowserList& list, BrowserId browser, const std::string& profile) {
    const std::string keyword(FactsOf(browser).keyword);
    const std::wstring wanted = ToWide(profile);
    const TBrowserAppBase* first = nullptr;
    for (const auto& adapter : list) {
        if (keyword.empty() || KeywordOf(*adapter) != keyword) continue;
        if (adapter->DataPath.empty())
            return {nullptr, ToUtf8(adapter->DisplayName) + " was not found on this computer"};
        if (!first) first = adapter.get();
        if (wanted.empty()) return {adapter.get(), {}};
        // The folder first: a profile the user named like another's folder
        // is still reached by its own folder.
        if (SameProfileText(adapter->ProfileFolder, wanted)) return {adapter.get(), {}};
    }
    if (keyword.empty()) return {nullptr, "no such browser"};
    if (!first) return {nullptr, ToUtf8(std::wstring(FactsOf(browser).displayName)) + " was not found on this computer"};
    for (const auto& adapter : list)
        if (KeywordOf(*adapter) == keyword && SameProfileText(adapter->ProfileName, wanted)) return {adapter.get(), {}};
    return {nullptr, ToUtf8(first->DisplayName) + " has no profile \"" + profile + "\""};
}

ListedBrowser DescribeBrowser(TBrowserAppBase& adapter, bool withState) {
    ListedBrowser listed;
    listed.kind = adapter.Kind;
    listed.browser = KeywordOf(adapter);
    listed.profile = ToUtf8(adapter.ProfileFolder);
    listed.profileName = ToUtf8(adapter.ProfileName);
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
        // First: a picture read from the add-on's files names its file.
        addon.hasIcon = static_cast<bool>(record.Icon);
        addon.id = ToUtf8(record.Id);
        addon.name = ToUtf8(record.Name);
        addon.description = ToUtf8(record.Description);
        addon.version = ToUtf8(record.Version);
        addon.kind = record.Kind;
        addon.disabled = record.Disabled;
        addon.nativeView = record.NativeView;
        addon.filePath = ToUtf8(record.FilePath);
        addon.iconUrl = ToUtf8(record.IconUrl);
        addon.rating = record.Rating;
        addon.managedBy = record.ManagedByPolicy ? "policy" : "";
        addon.mark64 = IsWin64 && record.NativeView == 1;
        listed.addons.push_back(std::move(addon));
    }
    return listed;
}
