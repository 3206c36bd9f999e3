// Reading a large Chrome profile and switching one extension in it: a
// "Preferences" file of about 20 MB with 2 000 extensions, each with its
// folder and a PNG icon. Prints the adapter's construction time (icons
// included) and the time of single toggles (write-back included).
//
// The profile is made in the local application data of the Wine prefix it
// runs in and deleted afterwards; it refuses to run when a "Google" folder is
// already there.
#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "BenchSupport.h"
#include "gfx/AddonIcons.h"
#include "browsers/chromium/IconBatch.h"
#include "browsers/chromium/ChromeExtensions.h"
#include "json/JsonDocument.h"
#include "platform/BrivoError.h"
#include "platform/ShellHelpers.h"
#include "platform/Utf.h"
#include "support/LargeChromeProfile.h"
#include "support/TestFiles.h"

namespace {

constexpr int kExtensions = 2000;
constexpr std::size_t kTargetBytes = 20u << 20;
constexpr int kRuns = 5;

using bench::Clock;
using bench::MsSince;

}  // namespace

int main() {
    const ScratchChromeProfile scratch = PrepareScratchChromeProfile();
    if (!scratch.error.empty()) {
        std::printf("%s\n", scratch.error.c_str());
        return 1;
    }
    const std::wstring& vendor = scratch.vendor;
    const std::wstring& profile = scratch.profile;
    const std::string& png = scratch.png;

    std::printf("making %d extensions...\n", kExtensions);
    const auto makeStart = Clock::now();
    const std::size_t prefsSize = WriteLargeChromeProfile(profile, kExtensions, kTargetBytes, png);
    std::printf("profile made in %.0f ms: Preferences %.1f MB, icon %zu bytes\n", MsSince(makeStart),
                prefsSize / 1048576.0, png.size());

    {
        const auto start = Clock::now();
        const auto document = JsonDocument::LoadFile(profile + L"Preferences");
        std::printf("  parse only:              %8.1f ms (%s)\n", MsSince(start), document ? "ok" : "failed");
        const auto writeStart = Clock::now();
        const std::string text = document ? document->ToText() : std::string();
        std::printf("  written form only:       %8.1f ms (%.1f MB)\n", MsSince(writeStart), text.size() / 1048576.0);
    }

    // The icons alone, loaded one by one and spread over the cores, in turns.
    std::vector<PngRequest> requests;
    std::vector<AddonPicture> pictures(kExtensions);
    for (int n = 0; n < kExtensions; ++n) requests.push_back({LargeProfileIconPath(profile, n), &pictures[n]});
    for (int round = 0; round < 2; ++round) {
        for (unsigned threads : {1u, 4u}) {
            for (AddonPicture& picture : pictures) picture.reset();
            const auto start = Clock::now();
            LoadPngFiles(requests, threads);
            const auto loaded = std::count_if(pictures.begin(), pictures.end(), [](const auto& p) { return p != nullptr; });
            std::printf("  icons only, up to %u threads: %8.1f ms (%d loaded)\n", threads, MsSince(start),
                        static_cast<int>(loaded));
        }
    }

    std::vector<double> constructions;
    for (int run = 1; run <= kRuns; ++run) {
        const auto start = Clock::now();
        TChromeExtensions chrome;
        const double constructMs = MsSince(start);
        constructions.push_back(constructMs);
        int extensions = 0, icons = 0, disabled = 0;
        for (const auto& record : chrome.Extensions) {
            if (record->Kind != AddonKind::Extension) continue;
            ++extensions;
            icons += record->Icon ? 1 : 0;
            disabled += record->Disabled ? 1 : 0;
        }
        std::printf("run %d: construction %8.1f ms: %d extensions, %d icons, %d switched off\n", run, constructMs,
                    extensions, icons, disabled);
        if (run == 1 && chrome.GetExtensionCount() > 0) {
            TBrowserExtensionInfo* record = chrome.GetExtension(chrome.GetExtensionCount() / 2);
            for (int toggle = 1; toggle <= 4; ++toggle) {
                const auto toggleStart = Clock::now();
                try {
                    chrome.ToggleExtension(record);
                } catch (const BrivoError& error) {
                    std::printf("       toggle failed: %s\n", error.what());
                    break;
                }
                std::printf("       toggle %d          %8.1f ms (now %s)\n", toggle, MsSince(toggleStart),
                            record->Disabled ? "off" : "on");
            }
        }
    }
    std::sort(constructions.begin(), constructions.end());
    std::printf("construction: best %.1f ms, median %.1f ms of %d runs\n", constructions.front(),
                constructions[constructions.size() / 2], kRuns);

    RemoveTree(vendor);
    std::printf("profile removed: %s\n", GetFileAttributesW(vendor.c_str()) == INVALID_FILE_ATTRIBUTES ? "yes" : "NO");
    return 0;
}
