// Reading a large Chrome profile and switching one extension in it: a
// "Preferences" file of about 20 MB with 2 000 extensions, each with its
// folder and a PNG icon. Prints the adapter's construction time (icons
// included) and the time of single toggles (write-back included).
//
// The profile is made in the local application data of the Wine prefix it
// runs in and deleted afterwards; it refuses to run when a "Google" folder is
// already there.
#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"

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
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

constexpr int kExtensions = 2000;
constexpr std::size_t kTargetBytes = 20u << 20;
constexpr int kRuns = 5;

using bench::Clock;
using bench::MsSince;
using bench::WriteAll;

std::string ReadAll(const std::wstring& path) {
    const UniqueHandle file =
        AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (file && ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW found;
    const HANDLE first = FindFirstFileW((path + L"\\*").c_str(), &found);
    if (first != INVALID_HANDLE_VALUE) {
        const UniqueFindHandle find(first);
        do {
            const std::wstring name = found.cFileName;
            if (name == L"." || name == L"..") continue;
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                RemoveTree(child);
            } else {
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find.get(), &found));
    }
    RemoveDirectoryW(path.c_str());
}

// A 48x48 PNG with a pattern, encoded by GDI+ into a temporary file.
std::string MakePng(const std::wstring& scratchPath) {
    ULONG_PTR token = 0;
    Gdiplus::GdiplusStartupInput input;
    if (Gdiplus::GdiplusStartup(&token, &input, nullptr) != Gdiplus::Ok) return {};
        {
        Gdiplus::Bitmap picture(48, 48, PixelFormat32bppARGB);
        for (int y = 0; y < 48; ++y)
            for (int x = 0; x < 48; ++x)
                picture.SetPixel(x, y, Gdiplus::Color(static_cast<BYTE>(255 - x), static_cast<BYTE>(x * 5),
                                                      static_cast<BYTE>(y * 5), 90));
        if (picture.Save(scratchPath.c_str(), &kPngEncoderClsid, nullptr) != Gdiplus::Ok) return {};
    }
    std::string bytes = ReadAll(scratchPath);
    DeleteFileW(scratchPath.c_str());
    return bytes;
}

std::string ExtensionId(int n) {
    std::string id(32, 'a');
    for (int i = 31, v = n; i >= 0; --i, v /= 16) id[i] = static_cast<char>('a' + v % 16);
    return id;
}

// One settings entry the way current browsers write them: the manifest with
// its permissions and scripts, and the bookkeeping around it.
std::string SettingsEntry(int n, std::size_t padTo) {
    const std::string id = ExtensionId(n);
    const std::string version = "1." + std::to_string(n % 17) + "." + std::to_string(n);
    std::string e = "\"" + id + "\":{\"active_permissions\":{\"api\":[\"storage\",\"tabs\",\"contextMenus\",\"alarms\"],"
                    "\"explicit_host\":[\"https://*.example.com/*\",\"http://localhost/*\"],\"manifest_permissions\":[]},"
                    "\"creation_flags\":9,\"from_bookmark\":false,\"from_webstore\":true,"
                    "\"granted_permissions\":{\"api\":[\"storage\",\"tabs\"],\"explicit_host\":[\"https://*.example.com/*\"]},"
                    "\"install_time\":\"13245" + std::to_string(100000000 + n) + "\",\"location\":1,"
                    "\"manifest\":{\"background\":{\"persistent\":false,\"scripts\":[\"js/background.js\"]},"
                    "\"browser_action\":{\"default_icon\":\"icons/19.png\",\"default_popup\":\"popup.html\","
                    "\"default_title\":\"__MSG_title__\"},"
                    "\"content_scripts\":[{\"all_frames\":true,\"js\":[\"js/content.js\"],\"matches\":[\"<all_urls>\"],"
                    "\"run_at\":\"document_idle\"}],\"default_locale\":\"en\","
                    "\"description\":\"Extension n\\u00b0" + std::to_string(n) + " \\u2013 keeps pages tidy / fast\","
                    "\"icons\":{\"128\":\"icons/128.png\",\"16\":\"icons/16.png\",\"48\":\"icons/48.png\"},"
                    "\"key\":\"MIIBIjANBgkqhkiG9w0BAQEFAAOCAQ8AMIIBCgKCAQEA" + id + id + id + "\","
                    "\"manifest_version\":2,\"name\":\"Bench Extension " + std::to_string(n) + "\","
                    "\"permissions\":[\"storage\",\"tabs\",\"contextMenus\",\"alarms\",\"https://*.example.com/*\"],"
                    "\"update_url\":\"https://clients2.google.com/service/update2/crx\",\"version\":\"" + version + "\","
                    "\"web_accessible_resources\":[\"img/*.png\",\"css/inject.css\"]},"
                    "\"path\":\"" + id + "\\\\" + version + "_0\",\"state\":" + std::to_string(n % 5 == 0 ? 0 : 1) + ","
                    "\"was_installed_by_default\":false,\"was_installed_by_oem\":false,\"events\":[";
    // The rest is the kind of history a long-used profile piles up.
    for (int i = 0; e.size() < padTo; ++i) {
        if (i) e += ",";
        e += "\"runtime.onMessage.listener" + std::to_string(i) + "\"";
    }
    e += "]}";
    return e;
}

std::wstring ProfileFolder(const std::wstring& local) { return local + ChromiumProfileDirs[0]; }

}  // namespace

int main() {
    const std::wstring local = GetSpecialFolder(nullptr, CSIDL_LOCAL_APPDATA);
    const std::wstring vendor = local + L"\\Google";
    if (local.empty() || GetFileAttributesW(vendor.c_str()) != INVALID_FILE_ATTRIBUTES) {
        std::printf("needs a prefix without %s\n", ToUtf8(vendor).c_str());
        return 1;
    }
    const std::wstring profile = ProfileFolder(local);
    SHCreateDirectoryExW(nullptr, (profile + L"Extensions").c_str(), nullptr);

    const std::string png = MakePng(profile + L"scratch.png");
    if (png.empty()) {
        std::printf("cannot encode a PNG\n");
        RemoveTree(vendor);
        return 1;
    }

    std::printf("making %d extensions...\n", kExtensions);
    const auto makeStart = Clock::now();
    const std::size_t entrySize = kTargetBytes / kExtensions;
    std::string prefs = "{\"browser\":{\"window_placement\":{\"bottom\":1040,\"left\":10,\"maximized\":true}},"
                        "\"extensions\":{\"alerts\":{\"initialized\":true},\"known_disabled\":[";
    for (int n = 0; n < kExtensions; n += 5) prefs += (n ? ",\"" : "\"") + ExtensionId(n) + "\"";
    prefs += "],\"settings\":{";
    for (int n = 0; n < kExtensions; ++n) {
        if (n) prefs += ",";
        prefs += SettingsEntry(n, entrySize);
        const std::string id = ExtensionId(n);
        const std::string version = "1." + std::to_string(n % 17) + "." + std::to_string(n);
        const std::wstring icons = profile + L"Extensions\\" + ToWide(id) + L"\\" + ToWide(version) + L"_0\\icons";
        SHCreateDirectoryExW(nullptr, icons.c_str(), nullptr);
        WriteAll(icons + L"\\48.png", png);
    }
    prefs += "}},\"profile\":{\"name\":\"Person 1\",\"avatar_index\":26}}";
    WriteAll(profile + L"Preferences", prefs);
    std::printf("profile made in %.0f ms: Preferences %.1f MB, icon %zu bytes\n", MsSince(makeStart),
                prefs.size() / 1048576.0, png.size());

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
    for (int n = 0; n < kExtensions; ++n) {
        const std::string version = "1." + std::to_string(n % 17) + "." + std::to_string(n);
        requests.push_back({profile + L"Extensions\\" + ToWide(ExtensionId(n)) + L"\\" + ToWide(version) +
                                L"_0\\icons\\48.png",
                            &pictures[n]});
    }
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
