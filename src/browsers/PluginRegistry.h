#pragma once
// Browser plug-ins registered under the MozillaPlugins keys, listed by every
// adapter but Internet Explorer beside its extensions.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browsers/BrowserExtensionInfo.h"

using ExtensionList = std::vector<std::unique_ptr<TBrowserExtensionInfo>>;

// Appends one plug-in record per subkey of the user's MozillaPlugins key and,
// on 64-bit Windows, of the machine's 32-bit one. Keys that do not open with
// full access contribute nothing.
void ScanPlugins(ExtensionList& list);
// The same with the platform given, so both branches can be checked anywhere.
void ScanPlugins(ExtensionList& list, bool win64);

// One record per name in `subkeyNames`, in that order, read from key\name.
void ReadPluginKeys(HKEY root, const std::wstring& key, const std::vector<std::wstring>& subkeyNames,
                    std::uint8_t nativeView, ExtensionList& list);

// Deletes the registry key the record's FilePath names, with everything
// under it. False when the key was not deleted (also for a FilePath that
// names no key below a root).
// beforeDelete (when set) is told the key first, as
// TBrowserAppBase::BeforeRegistryDelete is; what it raises stops the removal.
bool RemovePlugin(const TBrowserExtensionInfo& record,
                  const std::function<void(HKEY, const std::wstring&, const std::wstring*)>& beforeDelete = {});
