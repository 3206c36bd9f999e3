#pragma once
// Narrows a registry key's access list to reading only, for as long as the
// object lives; the original list is put back afterwards. Wine enforces key
// access lists, so opening the key with full access then fails.
#include <windows.h>

#include <string>

class ReadOnlyRegistryKey {
public:
    ReadOnlyRegistryKey(HKEY root, const std::wstring& path);
    ReadOnlyRegistryKey(const ReadOnlyRegistryKey&) = delete;
    ReadOnlyRegistryKey& operator=(const ReadOnlyRegistryKey&) = delete;
    ~ReadOnlyRegistryKey();

    bool Applied() const { return applied_; }

private:
    HKEY key_ = nullptr;
    PSECURITY_DESCRIPTOR saved_ = nullptr;
    bool applied_ = false;
};
