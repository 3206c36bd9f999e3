#include "support/IERegistry.h"

void RegisterIEClass(ScratchRegistry& registry, const std::wstring& clsid, bool native, const std::wstring& name,
                     const std::wstring& dll) {
    const std::wstring key = (native ? L"CLSID\\" : L"Wow6432Node\\CLSID\\") + clsid;
    registry.SetString(HKEY_CLASSES_ROOT, key, k64, L"", name);
    if (!dll.empty()) registry.SetString(HKEY_CLASSES_ROOT, key + L"\\InprocServer32", k64, L"", dll);
}

void RegisterIEHelper(ScratchRegistry& registry, const std::wstring& clsid, REGSAM view) {
    registry.CreateKey(HKEY_LOCAL_MACHINE, kBho + clsid, view);
}

void RegisterIEToolbar(ScratchRegistry& registry, const std::wstring& clsid, REGSAM view) {
    registry.SetForeignValue(HKEY_LOCAL_MACHINE, kToolbar, view, clsid, L"");
}

void RegisterIEButton(ScratchRegistry& registry, const std::wstring& clsid, REGSAM view, const std::wstring& text,
                      const std::wstring& icon) {
    registry.SetString(HKEY_LOCAL_MACHINE, kButtons + clsid, view, L"ButtonText", text);
    registry.SetString(HKEY_LOCAL_MACHINE, kButtons + clsid, view, L"Icon", icon);
}

void RegisterIEMenuEntry(ScratchRegistry& registry, const std::wstring& text, const std::wstring& resource) {
    registry.SetString(HKEY_CURRENT_USER, kMenu + text, kShared, L"", resource);
}

std::wstring WatchIESettings(ScratchRegistry& registry, const std::wstring& clsid) {
    registry.Watch(HKEY_CURRENT_USER, kSettings + clsid, kShared);
    return kSettings + clsid;
}
