#include "support/ScratchRegistry.h"

#include <objbase.h>

namespace {

bool SetValue(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name, DWORD type,
              const void* data, DWORD size) {
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr) !=
        ERROR_SUCCESS)
        return false;
    const bool ok =
        RegSetValueExW(key, name.c_str(), 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
    RegCloseKey(key);
    return ok;
}

void DeleteKeyTree(HKEY root, const std::wstring& path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_ALL_ACCESS | view, &key) != ERROR_SUCCESS) return;
    RegDeleteTreeW(key, nullptr);
    RegCloseKey(key);
    RegDeleteKeyExW(root, path.c_str(), view, 0);
}

}  // namespace

void ScratchRegistry::Watch(HKEY root, const std::wstring& path, REGSAM view) {
    for (size_t end = path.find(L'\\');; end = path.find(L'\\', end + 1)) {
        const std::wstring prefix = path.substr(0, end);
        if (!RawKeyExists(root, prefix, view)) {
            keys_.push_back({root, prefix, view});
            return;
        }
        if (end == std::wstring::npos) return;
    }
}

void ScratchRegistry::CreateKey(HKEY root, const std::wstring& path, REGSAM view) {
    Watch(root, path, view);
    HKEY key = nullptr;
    if (RegCreateKeyExW(root, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS | view, nullptr, &key, nullptr) ==
        ERROR_SUCCESS)
        RegCloseKey(key);
}

void ScratchRegistry::SetString(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name,
                                const std::wstring& text) {
    Watch(root, path, view);
    SetValue(root, path, view, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

void ScratchRegistry::SetNumber(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name,
                                DWORD number) {
    Watch(root, path, view);
    SetValue(root, path, view, name, REG_DWORD, &number, sizeof(number));
}

void ScratchRegistry::SetForeignValue(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name,
                                      const std::wstring& text) {
    Watch(root, path, view);
    values_.push_back({{root, path, view}, name});
    SetValue(root, path, view, name, REG_SZ, text.c_str(), static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
}

bool ScratchRegistry::Restore() {
    bool clean = true;
    for (auto v = values_.rbegin(); v != values_.rend(); ++v) {
        HKEY key = nullptr;
        if (RegOpenKeyExW(v->key.root, v->key.path.c_str(), 0, KEY_SET_VALUE | v->key.view, &key) == ERROR_SUCCESS) {
            RegDeleteValueW(key, v->name.c_str());
            RegCloseKey(key);
        }
        clean = clean && !RawValueExists(v->key.root, v->key.path, v->key.view, v->name);
    }
    for (auto k = keys_.rbegin(); k != keys_.rend(); ++k) {
        DeleteKeyTree(k->root, k->path, k->view);
        clean = clean && !RawKeyExists(k->root, k->path, k->view);
    }
    values_.clear();
    keys_.clear();
    return clean;
}

bool RawKeyExists(HKEY root, const std::wstring& path, REGSAM view) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

bool RawValueExists(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return false;
    const bool found = RegQueryValueExW(key, name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
    RegCloseKey(key);
    return found;
}

std::wstring RawString(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return L"(none)";
    wchar_t text[512] = {};
    DWORD size = sizeof(text) - sizeof(wchar_t);
    DWORD type = REG_NONE;
    const LONG result = RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_SZ) return L"(none)";
    return text;
}

long long RawNumber(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(root, path.c_str(), 0, KEY_READ | view, &key) != ERROR_SUCCESS) return -1;
    DWORD number = 0;
    DWORD size = sizeof(number);
    DWORD type = REG_NONE;
    const LONG result =
        RegQueryValueExW(key, name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number), &size);
    RegCloseKey(key);
    if (result != ERROR_SUCCESS || type != REG_DWORD) return -1;
    return number;
}

std::wstring NewClsid() {
    GUID guid{};
    CoCreateGuid(&guid);
    wchar_t text[40] = {};
    StringFromGUID2(guid, text, 40);
    return text;
}
