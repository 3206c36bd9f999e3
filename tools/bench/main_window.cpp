// The main window's speed: from the program's entry to the window painted
// (the start-up steps of BrivoPM.exe after its single-instance check), then
// every repaint of the add-on list while it is scrolled through page by page
// and by wheel notches, and the switches between browsers and kind tabs.
// Prints figures.
//
//   bench_main_window.exe [--runs=N]
//       the add-ons already in the prefix (the demo data, tools/bench/main_window.sh);
//   bench_main_window.exe --large [--runs=N]
//       first makes 2 000 Internet Explorer add-ons in the registry and a
//       Chrome profile whose "Preferences" of about 20 MB holds 2 000
//       extensions with icons, and removes both when done. Refuses to run
//       when a "Google" folder is already in the local application data.
//   bench_main_window.exe --profiles [--runs=N]
//       first makes every browser the program knows (Chrome, Edge, Brave,
//       Vivaldi and Firefox with 3 profiles each, Opera and Internet
//       Explorer), each profile with 300 add-ons with icons, and removes
//       them when done. Refuses to run when any of their folders is there.
//
// Every run is a fresh process of this program (--measure), timed from its
// entry; the first also times the steps the window's creation is made of.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "app/AppConfig.h"
#include "app/BrowserConfigAccess.h"
#include "app/LanguageChoice.h"
#include "browsers/BrowserList.h"
#include "browsers/chromium/ChromeExtensions.h"
#include "browsers/chromium/OperaExtensions.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "browsers/ie/IEExtensions.h"
#include "net/rating/RatingResult.h"
#include "platform/ShellHelpers.h"
#include "platform/SystemInfo.h"
#include "platform/Utf.h"
#include "support/CrowdedIERegistry.h"
#include "support/LargeChromeProfile.h"
#include "support/ManyBrowserProfiles.h"
#include "support/TestFiles.h"
#include "ui/FrmKoltMain.h"
#include "ui/ImgModule.h"

namespace {

using bench::Clock;
using bench::MsSince;

constexpr int kIEAddons = 1600;  // a quarter in both views: 2 000 entries
constexpr int kChromeExtensions = 2000;
constexpr std::size_t kPreferencesBytes = 20u << 20;
constexpr int kWheelNotches = 30;
constexpr int kSwitchRounds = 3;
constexpr int kProfilesPerBrowser = 3;
constexpr int kAddonsPerProfile = 300;

struct Options {
    bool large = false;
    bool profiles = false;
    bool measure = false;
    bool breakdown = false;
    int runs = 3;
};

Options ParseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--large") options.large = true;
        else if (arg == "--profiles") options.profiles = true;
        else if (arg == "--measure") options.measure = true;
        else if (arg == "--breakdown") options.breakdown = true;
        else if (arg.rfind("--runs=", 0) == 0) options.runs = std::max(1, std::atoi(arg.c_str() + 7));
    }
    return options;
}

// Count, median, 95th percentile (nearest rank) and maximum of samples in ms.
void PrintSpread(const char* what, std::vector<double> samples) {
    if (samples.empty()) {
        std::printf("  %-44s no samples\n", what);
        return;
    }
    std::sort(samples.begin(), samples.end());
    const std::size_t n = samples.size();
    const std::size_t p95 = static_cast<std::size_t>(std::ceil(0.95 * static_cast<double>(n))) - 1;
    const auto over16 = std::count_if(samples.begin(), samples.end(), [](double ms) { return ms >= 16.0; });
    std::printf("  %-44s n=%4zu  median %6.2f ms  p95 %6.2f ms  max %6.2f ms  (%d of 16 ms or more)\n", what, n,
                samples[n / 2], samples[p95], samples.back(), static_cast<int>(over16));
}

// Handles what is queued (window-manager and input notifications). Rating
// results are dropped: the service is unreachable on purpose, and the error
// notification each would show is no part of what is measured.
void Drain() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_RATING_RESULT || message.message == WM_QUIT) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

// One synchronous repaint of the list, in ms.
double RepaintList(HWND list) {
    const auto start = Clock::now();
    RedrawWindow(list, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
    GdiFlush();
    return MsSince(start);
}

// Whatever is invalid in the window and its children, painted now, in ms.
double PaintPending(HWND window) {
    const auto start = Clock::now();
    RedrawWindow(window, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    return MsSince(start);
}

BOOL CALLBACK NoteInvalidChild(HWND child, LPARAM found) {
    if (!GetUpdateRect(child, nullptr, FALSE)) return TRUE;
    *reinterpret_cast<bool*>(found) = true;
    return FALSE;
}

// True when the window or one of its descendants still waits for a paint.
bool AnythingInvalid(HWND window) {
    if (GetUpdateRect(window, nullptr, FALSE)) return true;
    bool invalid = false;
    EnumChildWindows(window, NoteInvalidChild, reinterpret_cast<LPARAM>(&invalid));
    return invalid;
}

// Milliseconds from the process's creation (Wine's own start included) to now.
double MsSinceProcessCreation() {
    FILETIME created, exited, kernel, user, now;
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return -1;
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](const FILETIME& t) {
        return (static_cast<unsigned long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10000.0;
}

std::vector<TOrixButton*> NamedButtons(TfrmKoltMain& window, const wchar_t* stem, int first, int last) {
    std::vector<TOrixButton*> buttons;
    for (int i = first; i <= last; ++i)
        if (auto* b = dynamic_cast<TOrixButton*>(window.FindComponent(stem + std::to_wstring(i)))) buttons.push_back(b);
    return buttons;
}

// The buttons of the browsers found, in their order.
std::vector<TOrixButton*> BrowserButtons(TfrmKoltMain& window) {
    std::vector<TOrixButton*> found;
    for (TOrixButton* b : NamedButtons(window, L"btnB", 1, 7))
        if (b->Tag() != 0 && b->Enabled()) found.push_back(b);
    return found;
}

std::string BrowserName(const TOrixButton& button) {
    return ToUtf8(reinterpret_cast<const TBrowserAppBase*>(button.Tag())->DisplayName);
}

// Scrolls the shown list from the top to the end a page at a time, then
// down by wheel notches from the top, timing the repaint after each step.
void MeasureScrolling(TfrmKoltMain& window, const std::string& browser) {
    TOrixListView& list = window.AddonList();
    const HWND handle = list.Handle();
    RECT client;
    GetClientRect(handle, &client);
    const int page = client.bottom - client.top;
    // Twice: rows are first shown in the first pass.
    std::vector<double> pages, pagesAgain;
    for (std::vector<double>* pass : {&pages, &pagesAgain}) {
        list.ScrollTo(0);
        pass->push_back(RepaintList(handle));
        for (;;) {
            const int before = list.ScrollPosition();
            list.ScrollBy(page);
            if (list.ScrollPosition() == before) break;
            pass->push_back(RepaintList(handle));
        }
    }
    std::vector<double> wheel;
    list.ScrollTo(0);
    RepaintList(handle);
    RECT rect;
    GetWindowRect(handle, &rect);
    const LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
    for (int notch = 0; notch < kWheelNotches; ++notch) {
        const int before = list.ScrollPosition();
        SendMessageW(handle, WM_MOUSEWHEEL, MAKEWPARAM(0, static_cast<WORD>(-WHEEL_DELTA)), centre);
        if (list.ScrollPosition() == before) break;
        wheel.push_back(RepaintList(handle));
    }
    std::vector<double> all = pages;
    all.insert(all.end(), pagesAgain.begin(), pagesAgain.end());
    all.insert(all.end(), wheel.begin(), wheel.end());
    const std::string label = browser + " (" + std::to_string(list.Rows().Count()) + " rows)";
    std::printf(" list paints, %s:\n", label.c_str());
    PrintSpread("page by page, rows shown the first time", pages);
    PrintSpread("page by page, again", pagesAgain);
    PrintSpread("wheel notches", wheel);
    PrintSpread("all (target < 16 ms each)", all);
    Drain();
}

// Browser switches: the list filled again (SelectBrowser) and then painted.
void MeasureBrowserSwitches(TfrmKoltMain& window, const std::vector<TOrixButton*>& buttons) {
    if (buttons.size() < 2) {
        std::printf(" browser switches: only %zu browser found\n", buttons.size());
        return;
    }
    std::printf(" browser switches (%d rounds; fill = SelectBrowser, paint = what it left invalid):\n", kSwitchRounds);
    for (TOrixButton* button : buttons) {
        std::vector<double> fills, paints, totals;
        for (int round = 0; round < kSwitchRounds; ++round) {
            // Away first, so that every timed click is a real switch.
            window.SelectBrowser(*(button == buttons[0] ? buttons[1] : buttons[0]));
            PaintPending(window.Handle());
            Drain();
            const auto start = Clock::now();
            window.SelectBrowser(*button);
            fills.push_back(MsSince(start));
            paints.push_back(PaintPending(window.Handle()));
            totals.push_back(MsSince(start));
            Drain();
        }
        const std::string label = "to " + BrowserName(*button) + " (" +
                                  std::to_string(window.AddonList().Rows().Count()) + " rows)";
        std::printf("  %s\n", label.c_str());
        PrintSpread("  fill", fills);
        PrintSpread("  paint", paints);
        PrintSpread("  fill + paint", totals);
    }
}

// Profile switches of every browser with several: the drop-down's choice,
// the list filled again and painted.
void MeasureProfileSwitches(TfrmKoltMain& window, const std::vector<TOrixButton*>& buttons) {
    for (TOrixButton* button : buttons) {
        window.SelectBrowser(*button);
        PaintPending(window.Handle());
        Drain();
        const int count = window.ProfileCount();
        if (count < 2) continue;
        std::vector<double> totals;
        for (int round = 0; round < kSwitchRounds; ++round) {
            for (int i = 1; i <= count; ++i) {
                const auto start = Clock::now();
                window.SelectProfile(i % count);
                PaintPending(window.Handle());
                totals.push_back(MsSince(start));
                Drain();
            }
        }
        const std::string label = "profiles of " + BrowserName(*button) + " (" + std::to_string(count) +
                                  "), fill + paint";
        PrintSpread(label.c_str(), totals);
    }
}

// Kind tabs of the shown browser, each clicked in turn.
void MeasureKindTabs(TfrmKoltMain& window, const std::string& browser) {
    std::vector<TOrixButton*> tabs;
    for (TOrixButton* tab : NamedButtons(window, L"btn", 5, 8))
        if (tab->Visible() && tab->Enabled()) tabs.push_back(tab);
    if (tabs.empty()) return;
    std::vector<double> totals;
    for (int round = 0; round < kSwitchRounds; ++round) {
        for (TOrixButton* tab : tabs) {
            const auto start = Clock::now();
            tab->Click();
            PaintPending(window.Handle());
            totals.push_back(MsSince(start));
            Drain();
        }
    }
    tabs.front()->Click();
    PaintPending(window.Handle());
    Drain();
    const std::string label = "kind tabs of " + browser + ", fill + paint";
    PrintSpread(label.c_str(), totals);
}

template <class Adapter>
void TimeAdapter(const char* name) {
    const auto start = Clock::now();
    Adapter adapter;
    const double ms = MsSince(start);
    int icons = 0;
    for (int i = 0; i < adapter.GetExtensionCount(); ++i) icons += adapter.GetExtension(i)->Icon ? 1 : 0;
    std::printf("  %-44s %8.1f ms (%d records, %d icons)\n", name, ms, adapter.GetExtensionCount(), icons);
}

// What the window's creation is made of, each step again on its own (the
// files are in the cache by now).
void MeasureBreakdown(TfrmKoltMain& window, const std::vector<TOrixButton*>& buttons) {
    std::printf(" breakdown, each step again after start-up:\n");
    {
        const auto start = Clock::now();
        BrowserList list;
        GetBrowserList(list);
        std::printf("  %-44s %8.1f ms (%zu adapters)\n", "GetBrowserList (all adapters)", MsSince(start),
                    list.size());
    }
    TimeAdapter<TChromeExtensions>("  TChromeExtensions");
    TimeAdapter<TIEExtensions>("  TIEExtensions");
    TimeAdapter<TFireFoxExtensions>("  TFireFoxExtensions");
    TimeAdapter<TOPeraExtensions>("  TOPeraExtensions");
    for (TOrixButton* button : buttons) {
        window.SelectBrowser(*button);
        PaintPending(window.Handle());
        Drain();
        const auto start = Clock::now();
        window.FillAddonList();
        const double fill = MsSince(start);
        const double paint = PaintPending(window.Handle());
        const std::string label = "FillAddonList, " + BrowserName(*button) + " (" +
                                  std::to_string(window.AddonList().Rows().Count()) + " rows)";
        std::printf("  %-44s %8.1f ms, then list painted in %.1f ms\n", label.c_str(), fill, paint);
        Drain();
    }
    const auto start = Clock::now();
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN | RDW_FRAME);
    GdiFlush();
    std::printf("  %-44s %8.1f ms\n", "whole window repainted", MsSince(start));
}

// One run in this process: the start-up of BrivoPM.exe after its
// single-instance check, then the paints. Ends the process when done, so the
// window's destruction (which saves the settings) never runs and every run
// starts from the same settings.
[[noreturn]] void Measure(Clock::time_point entry, const Options& options) {
    std::vector<std::pair<const char*, double>> steps;
    auto step = [&](const char* name) { steps.emplace_back(name, MsSince(entry)); };
    LoadSettings();
    step("LoadSettings");
    ChooseLanguageFile(AppConfig.Language);
    step("ChooseLanguageFile");
    CheckBrowserConfigAccess();
    step("CheckBrowserConfigAccess");
    ImgModule();
    step("ImgModule");
    TfrmKoltMain window;
    if (!window.CreateMainWindow()) {
        std::printf("the main window was not made\n");
        std::fflush(stdout);
        ExitProcess(1);
    }
    step("CreateMainWindow (adapters, list filled)");
    window.ShowMainWindow();
    step("ShowMainWindow (paints the window itself)");
    // Whatever the window's own paint left: its controls and the list.
    RedrawWindow(window.Handle(), nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    GdiFlush();
    step("its controls painted");
    const double painted = MsSince(entry);
    const double sinceCreation = MsSinceProcessCreation();
    const bool leftInvalid = AnythingInvalid(window.Handle());

    std::printf(" start-up to painted: %.1f ms from the entry (target < %d ms); %.0f ms from the process's creation;"
                " %s\n",
                painted, options.large || options.profiles ? 1000 : 500, sinceCreation,
                leftInvalid ? "a part still NOT painted" : "nothing left to paint");
    double previous = 0;
    for (const auto& [name, at] : steps) {
        std::printf("  %-44s %8.1f ms (at %.1f)\n", name, at - previous, at);
        previous = at;
    }
    std::fflush(stdout);
    Drain();

    const std::vector<TOrixButton*> buttons = BrowserButtons(window);
    for (TOrixButton* button : buttons) {
        window.SelectBrowser(*button);
        PaintPending(window.Handle());
        Drain();
        MeasureScrolling(window, BrowserName(*button));
    }
    MeasureBrowserSwitches(window, buttons);
    MeasureProfileSwitches(window, buttons);
    for (TOrixButton* button : buttons) {
        window.SelectBrowser(*button);
        PaintPending(window.Handle());
        Drain();
        MeasureKindTabs(window, BrowserName(*button));
    }
    if (options.breakdown) MeasureBreakdown(window, buttons);
    std::fflush(stdout);
    ExitProcess(0);
}

// Runs this program with --measure, sharing this console's output; its exit code.
DWORD RunMeasurement(const Options& options, bool breakdown) {
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring command = L"\"" + std::wstring(self) + L"\" --measure";
    if (options.large) command += L" --large";
    if (options.profiles) command += L" --profiles";
    if (breakdown) command += L" --breakdown";
    STARTUPINFOW startup{sizeof(startup)};
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    for (HANDLE h : {startup.hStdOutput, startup.hStdError})
        SetHandleInformation(h, HANDLE_FLAG_INHERIT, HANDLE_FLAG_INHERIT);
    PROCESS_INFORMATION process{};
    std::fflush(stdout);
    if (!CreateProcessW(self, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
        std::printf("cannot start %s\n", ToUtf8(command).c_str());
        return 1;
    }
    const UniqueHandle thread = AdoptHandle(process.hThread);
    const UniqueHandle child = AdoptHandle(process.hProcess);
    WaitForSingleObject(child.get(), 10 * 60 * 1000);
    DWORD code = 1;
    GetExitCodeProcess(child.get(), &code);
    return code;
}

int RunAll(const Options& options) {
    bool ok = true;
    for (int run = 1; run <= options.runs; ++run) {
        std::printf("run %d of %d:\n", run, options.runs);
        const DWORD code = RunMeasurement(options, run == 1);
        if (code != 0) {
            std::printf("run %d ended with %lu\n", run, static_cast<unsigned long>(code));
            ok = false;
        }
    }
    return ok ? 0 : 1;
}

// Makes the large add-on lists, runs, and removes them again.
int RunLarge(const Options& options) {
    if (!IsWin64) {
        std::printf("needs the 64-bit Wine prefix\n");
        return 1;
    }
    const ScratchChromeProfile scratch = PrepareScratchChromeProfile();
    if (!scratch.error.empty()) {
        std::printf("%s\n", scratch.error.c_str());
        return 1;
    }
    const std::wstring& vendor = scratch.vendor;
    const std::wstring& profile = scratch.profile;
    const std::string& png = scratch.png;
    const auto makeStart = Clock::now();
    const std::size_t prefsSize = WriteLargeChromeProfile(profile, kChromeExtensions, kPreferencesBytes, png);
    bool restored = true;
    int result = 1;
    {
        ScratchRegistry registry;
        const CrowdedIECounts counts = FillCrowdedIERegistry(registry, kIEAddons, 0, SharedIconFile);
        std::printf("made in %.0f ms: Chrome \"Preferences\" %.1f MB with %d extensions; Internet Explorer %d "
                    "entries (%d helpers, %d toolbars, %d buttons)\n",
                    MsSince(makeStart), prefsSize / 1048576.0, kChromeExtensions,
                    counts.helpers + counts.toolbars + counts.buttons, counts.helpers, counts.toolbars, counts.buttons);
        result = RunAll(options);
        restored = registry.Restore();
    }
    RemoveTree(vendor);
    std::printf("registry %s; Chrome profile removed: %s\n", restored ? "restored" : "NOT fully restored",
                PathExists(vendor) ? "NO" : "yes");
    return restored ? result : 1;
}

// Makes every browser with its profiles, runs, and removes them again.
int RunProfiles(const Options& options) {
    if (!IsWin64) {
        std::printf("needs the 64-bit Wine prefix\n");
        return 1;
    }
    const auto makeStart = Clock::now();
    int result = 1;
    bool restored = true;
    bool removed = true;
    {
        ManyBrowserProfiles browsers(kProfilesPerBrowser, kAddonsPerProfile);
        if (!browsers.Made()) {
            std::printf("%s\n", browsers.Error().c_str());
            return 1;
        }
        ScratchRegistry registry;
        const CrowdedIECounts counts = FillCrowdedIERegistry(registry, kAddonsPerProfile * 4 / 5, 0, SharedIconFile);
        std::printf("made in %.0f ms: Chrome, Edge, Brave, Vivaldi and Firefox with %d profiles of %d add-ons, Opera "
                    "with %d, Internet Explorer %d entries\n",
                    MsSince(makeStart), kProfilesPerBrowser, kAddonsPerProfile, kAddonsPerProfile,
                    counts.helpers + counts.toolbars + counts.buttons);
        result = RunAll(options);
        restored = registry.Restore();
        removed = browsers.Remove();
    }
    std::printf("registry %s; browser folders removed: %s\n", restored ? "restored" : "NOT fully restored",
                removed ? "yes" : "NO");
    return restored && removed ? result : 1;
}

}  // namespace

int main(int argc, char** argv) {
    const auto entry = Clock::now();
    const Options options = ParseOptions(argc, argv);
    if (options.measure) Measure(entry, options);
    if (options.profiles) return RunProfiles(options);
    return options.large ? RunLarge(options) : RunAll(options);
}
