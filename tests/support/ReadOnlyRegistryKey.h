#pragma once
// Narrows a registry key's access list to reading only, for as long as the
// object lives; the original list is put back afterwards. Wine enforces key
// access lists, so opening the key with full access then fails.
#include <windows.h>

#include <string>

class ReadOnlyRegistryKey {
public:
    // view: KEY_WOW64_32KEY or KEY_WOW64_64KEY for one registry view, 0 for
    // the test program's own.
    ReadOnlyRegistryKey(HKEY root, const std::wstring& path, REGSAM view = 0);
    ReadOnlyRegistryKey(const ReadOnlyRegistryKey&) = delete;
    ReadOnlyRegistryKey& operator=(const ReadOnlyRegistryKey&) = delete;
    ~ReadOnlyRegistryKey();

    bool Applied() const { return applied_; }

private:
    HKEY key_ = nullptr;
    PSECURITY_DESCRIPTOR saved_ = nullptr;
    bool applied_ = false;
};
