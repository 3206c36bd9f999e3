#include "browsers/history/RegistrySnapshot.h"

#include <vector>

#include "platform/RegistryHelpers.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

REGSAM ViewFlag(int view) {
    if (view == 64) return KEY_WOW64_64KEY;
    if (view == 32) return KEY_WOW64_32KEY;
    return 0;
}

HKEY RootOf(const THistoryRegistryValue& value) { return RootKeyFromName(ToWide(value.root)); }

}  // namespace

THistoryRegistryValue ReadRegistryValue(HKEY root, const std::wstring& path, const std::wstring& name, int view) {
    THistoryRegistryValue value;
    std::wstring rootName;
    RootKeyName(root, rootName);
    value.root = ToUtf8(rootName);
    value.path = ToUtf8(path);
    value.name = ToUtf8(name);
    value.view = view;
    HKEY opened = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE | ViewFlag(view), &opened) != ERROR_SUCCESS) return value;
    const UniqueHKey key(opened);
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return value;
    std::vector<BYTE> data(size);
    // A value that grows meanwhile is read again at its new size.
    LONG result = ERROR_MORE_DATA;
    while (result == ERROR_MORE_DATA) {
        data.resize(size);
        result = RegQueryValueExW(key.get(), name.c_str(), nullptr, &type, data.data(), &size);
    }
    if (result != ERROR_SUCCESS) return value;
    value.present = true;
    value.type = type;
    value.data.assign(reinterpret_cast<const char*>(data.data()), size);
    return value;
}

std::vector<THistoryRegistryValue> ReadRegistryTree(HKEY root, const std::wstring& path, int view) {
    std::vector<THistoryRegistryValue> entries;
    std::wstring rootName;
    RootKeyName(root, rootName);
    std::vector<std::wstring> pending{path};
    while (!pending.empty()) {
        const std::wstring keyPath = pending.back();
        pending.pop_back();
        HKEY opened = nullptr;
        if (RegOpenKeyExW(root, keyPath.c_str(), 0, KEY_READ | ViewFlag(view), &opened) != ERROR_SUCCESS) continue;
        const UniqueHKey key(opened);
        THistoryRegistryValue marker;
        marker.root = ToUtf8(rootName);
        marker.path = ToUtf8(keyPath);
        marker.view = view;
        marker.key = true;
        entries.push_back(marker);
        DWORD subkeys = 0, values = 0, longestKey = 0, longestValue = 0;
        RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, &longestKey, nullptr, &values, &longestValue,
                         nullptr, nullptr, nullptr);
        for (DWORD i = 0; i < values; ++i) {
            std::wstring name(longestValue + 2, L'\0');
            DWORD length = static_cast<DWORD>(name.size());
            if (RegEnumValueW(key.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                continue;
            name.resize(length);
            entries.push_back(ReadRegistryValue(root, keyPath, name, view));
        }
        std::vector<std::wstring> children;
        for (DWORD i = 0; i < subkeys; ++i) {
            std::wstring name(longestKey + 2, L'\0');
            DWORD length = static_cast<DWORD>(name.size());
            if (RegEnumKeyExW(key.get(), i, name.data(), &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
                continue;
            name.resize(length);
            children.push_back(keyPath + L"\\" + name);
        }
        // Taken from the back: the first child comes next.
        pending.insert(pending.end(), children.rbegin(), children.rend());
    }
    return entries;
}

bool RegistryEntryExists(const THistoryRegistryValue& value) {
    HKEY opened = nullptr;
    if (RegOpenKeyExW(RootOf(value), ToWide(value.path).c_str(), 0, KEY_QUERY_VALUE | ViewFlag(value.view), &opened) !=
        ERROR_SUCCESS)
        return false;
    const UniqueHKey key(opened);
    if (value.key) return true;
    return value.present &&
           RegQueryValueExW(key.get(), ToWide(value.name).c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

bool RestoreRegistryValue(const THistoryRegistryValue& value) {
    const std::wstring path = ToWide(value.path), name = ToWide(value.name);
    HKEY opened = nullptr;
    if (value.key) {
        if (RegCreateKeyExW(RootOf(value), path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | ViewFlag(value.view), nullptr,
                            &opened, nullptr) != ERROR_SUCCESS)
            return false;
        RegCloseKey(opened);
        return true;
    }
    if (!value.present) {
        if (RegOpenKeyExW(RootOf(value), path.c_str(), 0, KEY_SET_VALUE | ViewFlag(value.view), &opened) !=
            ERROR_SUCCESS)
            return true;  // no key, so no value: as it was
        const UniqueHKey key(opened);
        const LONG result = RegDeleteValueW(key.get(), name.c_str());
        return result == ERROR_SUCCESS || result == ERROR_FILE_NOT_FOUND;
    }
    if (RegCreateKeyExW(RootOf(value), path.c_str(), 0, nullptr, 0, KEY_SET_VALUE | ViewFlag(value.view), nullptr,
                        &opened, nullptr) != ERROR_SUCCESS)
        return false;
    const UniqueHKey key(opened);
    return RegSetValueExW(key.get(), name.c_str(), 0, value.type, reinterpret_cast<const BYTE*>(value.data.data()),
                          static_cast<DWORD>(value.data.size())) == ERROR_SUCCESS;
}

bool RegistryValueIs(const THistoryRegistryValue& value) {
    const THistoryRegistryValue now =
        ReadRegistryValue(RootOf(value), ToWide(value.path), ToWide(value.name), value.view);
    return now.present == value.present && (!now.present || (now.type == value.type && now.data == value.data));
}
