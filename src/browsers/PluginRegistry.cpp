#include "browsers/PluginRegistry.h"

#include "platform/RegistryHelpers.h"
#include "platform/SystemInfo.h"

namespace {

const wchar_t kMachinePlugins[] = L"SOFTWARE\\Wow6432Node\\MozillaPlugins";
const wchar_t kUserPlugins[] = L"SOFTWARE\\MozillaPlugins";

void ScanKey(HKEY root, const std::wstring& key, std::uint8_t nativeView, ExtensionList& list) {
    std::vector<std::wstring> names;
    if (!RegGetKeyNames(root, key, names, false, true)) return;
    ReadPluginKeys(root, key, names, nativeView, list);
}

}  // namespace

void ScanPlugins(ExtensionList& list) { ScanPlugins(list, IsWin64); }

void ScanPlugins(ExtensionList& list, bool win64) {
    // The machine's native MozillaPlugins key belongs to 64-bit browsers
    // that this program does not manage; it is never read.
    if (win64) ScanKey(HKEY_LOCAL_MACHINE, kMachinePlugins, 0, list);
    ScanKey(HKEY_CURRENT_USER, kUserPlugins, win64 ? 1 : 0, list);
}

void ReadPluginKeys(HKEY root, const std::wstring& key, const std::vector<std::wstring>& subkeyNames,
                    std::uint8_t nativeView, ExtensionList& list) {
    std::wstring rootName;
    RootKeyName(root, rootName);
    for (const std::wstring& name : subkeyNames) {
        auto record = std::make_unique<TBrowserExtensionInfo>();
        record->Kind = AddonKind::Plugin;
        record->Id = name;
        record->NativeView = nativeView;
        const std::wstring path = key + L"\\" + name;
        record->Name = RegReadText(root, path, L"ProductName", true).text;
        record->Description = RegReadText(root, path, L"Description", true).text;
        record->Version = RegReadText(root, path, L"Version", true).text;
        record->FilePath = rootName + L"\\" + path;
        // FilePath is a registry path, in which the shell would look for icons
        // in vain at a millisecond a time: Icon stays none and the list draws
        // its default picture.
        if (record->Name.empty()) record->Name = record->Id;
        list.push_back(std::move(record));
    }
}

bool RemovePlugin(const TBrowserExtensionInfo& record,
                  const std::function<void(HKEY, const std::wstring&, const std::wstring*)>& beforeDelete) {
    const std::size_t split = record.FilePath.find(L'\\');
    // Without a root and a key there is nothing that could safely be deleted.
    if (split == std::wstring::npos || split + 1 >= record.FilePath.size()) return false;
    const HKEY root = RootKeyFromName(record.FilePath.substr(0, split));
    if (beforeDelete) beforeDelete(root, record.FilePath.substr(split + 1), nullptr);
    // The backslash stays: it marks the rest as a path from the root.
    return RegRemoveKey(root, record.FilePath.substr(split));
}
