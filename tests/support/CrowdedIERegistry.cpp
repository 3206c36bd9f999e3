#include "support/CrowdedIERegistry.h"

#include "support/IERegistry.h"

std::wstring SharedIconFile(int i) {
    static const wchar_t* const kIconFiles[] = {
        L"C:\\windows\\system32\\shell32.dll",
        L"C:\\windows\\syswow64\\shell32.dll",
        L"C:\\windows\\notepad.exe",
        L"C:\\windows\\regedit.exe",
    };
    return kIconFiles[i % 4];
}

CrowdedIECounts FillCrowdedIERegistry(ScratchRegistry& registry, int addons, int plugins,
                                      const std::function<std::wstring(int)>& fileOf) {
    CrowdedIECounts counts;
    for (int i = 0; i < addons; ++i) {
        const std::wstring clsid = NewClsid();
        const std::wstring name = L"Bench add-on " + std::to_wstring(i);
        const std::wstring file = fileOf(i);
        const REGSAM view = i % 2 ? k32 : k64;
        const bool both = i % 4 == 0;
        const int kind = i % 3;
        if (kind == 2) {
            registry.SetString(HKEY_LOCAL_MACHINE, kButtons + clsid, view, L"ButtonText", name);
            registry.SetString(HKEY_LOCAL_MACHINE, kButtons + clsid, view, L"Icon", file);
            if (both) registry.SetString(HKEY_LOCAL_MACHINE, kButtons + clsid, k32, L"ButtonText", name);
            counts.buttons += both ? 2 : 1;
        } else {
            RegisterIEClass(registry, clsid, i % 8 < 4, name, file);
            if (kind == 0) {
                RegisterIEHelper(registry, clsid, view);
                if (both) RegisterIEHelper(registry, clsid, k32);
                counts.helpers += both ? 2 : 1;
            } else {
                RegisterIEToolbar(registry, clsid, view);
                if (both) RegisterIEToolbar(registry, clsid, k32);
                counts.toolbars += both ? 2 : 1;
            }
        }
        if (i % 10 == 0) registry.SetNumber(HKEY_CURRENT_USER, kSettings + clsid, 0, L"Flags", 1);
    }
    for (int i = 0; i < plugins; ++i) {
        const std::wstring id = L"@bench.brivo.test/plugin-" + std::to_wstring(i);
        const bool machine = i % 2 == 0;
        const std::wstring key = L"SOFTWARE\\MozillaPlugins\\" + id;
        const HKEY root = machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
        const REGSAM view = machine ? k32 : 0;
        registry.SetString(root, key, view, L"ProductName", L"Bench plug-in " + std::to_wstring(i));
        registry.SetString(root, key, view, L"Description", L"A plug-in of the benchmark");
        registry.SetString(root, key, view, L"Version", L"1.0." + std::to_wstring(i));
        registry.SetString(root, key, view, L"Path", SharedIconFile(i));
        ++counts.plugins;
    }
    return counts;
}
