#include "support/ReadOnlyRegistryKey.h"

#include <aclapi.h>

ReadOnlyRegistryKey::ReadOnlyRegistryKey(HKEY root, const std::wstring& path, REGSAM view) {
    if (RegOpenKeyExW(root, path.c_str(), 0, READ_CONTROL | WRITE_DAC | view, &key_) != ERROR_SUCCESS) {
        key_ = nullptr;
        return;
    }
    PACL dacl = nullptr;
    if (GetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION, nullptr, nullptr, &dacl, nullptr, &saved_) !=
        ERROR_SUCCESS)
        return;
    EXPLICIT_ACCESSW readOnly{};
    BuildExplicitAccessWithNameW(&readOnly, const_cast<wchar_t*>(L"EVERYONE"), KEY_READ, SET_ACCESS, NO_INHERITANCE);
    PACL narrow = nullptr;
    if (SetEntriesInAclW(1, &readOnly, nullptr, &narrow) != ERROR_SUCCESS) return;
    applied_ = SetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | PROTECTED_DACL_SECURITY_INFORMATION,
                               nullptr, nullptr, narrow, nullptr) == ERROR_SUCCESS;
    LocalFree(narrow);
}

ReadOnlyRegistryKey::~ReadOnlyRegistryKey() {
    if (applied_) {
        PACL dacl = nullptr;
        BOOL present = FALSE, defaulted = FALSE;
        GetSecurityDescriptorDacl(saved_, &present, &dacl, &defaulted);
        SetSecurityInfo(key_, SE_REGISTRY_KEY, DACL_SECURITY_INFORMATION | UNPROTECTED_DACL_SECURITY_INFORMATION,
                        nullptr, nullptr, dacl, nullptr);
    }
    if (saved_) LocalFree(saved_);
    if (key_) RegCloseKey(key_);
}
