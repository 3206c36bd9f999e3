// Start-up cost of the Internet Explorer list and of the plug-in scan on a
// crowded registry: 2 000 helper objects, toolbars and toolbar buttons across
// both views and 500 plug-ins, all removed again when the run ends. The list
// is read twice: with the add-ons sharing four of Wine's files with icons,
// and with every add-on its own file (hard links to one program, so each
// path is opened and its icon extracted on its own).
#include <windows.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "browsers/PluginRegistry.h"
#include "browsers/ie/IEExtensions.h"
#include "browsers/ie/IESweeper.h"
#include "platform/PublicFuns.h"
#include "support/CrowdedIERegistry.h"
#include "support/IERegistry.h"

namespace {

template <class Work>
double Milliseconds(Work work) {
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
}

void ReportReads(const wchar_t* what, int reads, double ms) {
    std::printf("  %-42ls %6d reads %9.2f ms %8.1f us/read\n", what, reads, ms, ms * 1000.0 / reads);
}


// Hard links named addon-N.dll in a folder of the temporary folder, made and
// deleted by this object.
class DistinctFiles {
public:
    explicit DistinctFiles(int count) {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        folder_ = std::wstring(temp) + L"BrivoBenchIcons";
        CreateDirectoryW(folder_.c_str(), nullptr);
        for (int i = 0; i < count; ++i) {
            const std::wstring path = PathOf(i);
            if (CreateHardLinkW(path.c_str(), kSource, nullptr) || CopyFileW(kSource, path.c_str(), FALSE)) ++made_;
        }
    }
    ~DistinctFiles() {
        for (int i = 0; i < made_; ++i) DeleteFileW(PathOf(i).c_str());
        RemoveDirectoryW(folder_.c_str());
    }
    std::wstring PathOf(int i) const { return folder_ + L"\\addon-" + std::to_wstring(i) + L".dll"; }
    int Made() const { return made_; }

private:
    static constexpr const wchar_t* kSource = L"C:\\windows\\syswow64\\notepad.exe";
    std::wstring folder_;
    int made_ = 0;
};

void MeasureIEList(const char* setting) {
    int scanned = 0;
    const double sweep = Milliseconds([&] { scanned = TIESweeper().Count(); });
    int listed = 0;
    int withIcon = 0;
    const double construct = Milliseconds([&] {
        const TIEExtensions adapter;
        listed = adapter.GetExtensionCount();
        for (int i = 0; i < listed; ++i) withIcon += adapter.GetExtension(i)->Icon ? 1 : 0;
    });
    std::printf("[%s]\n", setting);
    std::printf("  %-42s %6d entries %9.2f ms\n", "scanner alone (TIESweeper)", scanned, sweep);
    std::printf("  %-42s %6d records %9.2f ms (%d with icons; target < 1000 ms)\n", "constructing TIEExtensions",
                listed, construct, withIcon);
}

}  // namespace

int main() {
    constexpr int kAddons = 1600;  // a quarter in both views: 2 000 entries
    constexpr int kPlugins = 500;
    if (!IsWin64) {
        std::printf("needs the 64-bit Wine prefix\n");
        return 1;
    }
    bool restored = true;
    {
        ScratchRegistry registry;
        CrowdedIECounts counts;
        const double fill = Milliseconds(
            [&] { counts = FillCrowdedIERegistry(registry, kAddons, kPlugins, SharedIconFile); });
        std::printf("registry filled in %.0f ms: %d helpers, %d toolbars, %d buttons (%d entries), %d plug-ins\n",
                    fill, counts.helpers, counts.toolbars, counts.buttons,
                    counts.helpers + counts.toolbars + counts.buttons, counts.plugins);
        MeasureIEList("add-ons share four files with icons");

        ExtensionList plugins;
        const double scanPlugins = Milliseconds([&] { ScanPlugins(plugins); });
        std::printf("  %-42s %6zu records %9.2f ms\n", "ScanPlugins", plugins.size(), scanPlugins);

        // Single reads through the helpers, one key and value over and over.
        constexpr int kReads = 5000;
        const std::wstring bhoKey = kBho.substr(0, kBho.size() - 1);
        const std::wstring plugin = L"SOFTWARE\\MozillaPlugins\\@bench.brivo.test/plugin-1";
        ReportReads(L"RegReadText (value present)", kReads, Milliseconds([&] {
                        for (int i = 0; i < kReads; ++i) RegReadText(HKEY_CURRENT_USER, plugin, L"ProductName", true);
                    }));
        ReportReads(L"RegReadInteger (key missing)", kReads, Milliseconds([&] {
                        for (int i = 0; i < kReads; ++i)
                            RegReadInteger(HKEY_CURRENT_USER, kSettings + L"{none}", L"Flags", true, 0);
                    }));
        ReportReads(L"RegKeyExists (key present)", kReads, Milliseconds([&] {
                        for (int i = 0; i < kReads; ++i) RegKeyExists(HKEY_LOCAL_MACHINE, bhoKey, true);
                    }));
        restored = registry.Restore() && restored;
    }
    {
        const DistinctFiles files(kAddons);
        ScratchRegistry registry;
        FillCrowdedIERegistry(registry, kAddons, 0, [&](int i) { return files.PathOf(i); });
        char setting[80];
        std::snprintf(setting, sizeof(setting), "every add-on its own file (%d files)", files.Made());
        MeasureIEList(setting);
        restored = registry.Restore() && restored;
    }
    std::printf("registry %s\n", restored ? "restored" : "NOT fully restored");
    return restored ? 0 : 1;
}
