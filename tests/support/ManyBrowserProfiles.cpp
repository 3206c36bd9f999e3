#include "support/ManyBrowserProfiles.h"

#include <windows.h>
#include <shlobj.h>

#include "browsers/BrowserId.h"
#include "platform/ShellHelpers.h"
#include "platform/Utf.h"
#include "support/LargeChromeProfile.h"
#include "support/TestFiles.h"

namespace {

// About what a profile of a few hundred extensions weighs.
constexpr std::size_t kPreferencesBytes = 2u << 20;

std::wstring ProfileFolderName(int p) { return p == 0 ? L"Default" : L"Profile " + std::to_wstring(p); }

std::string FoxId(int p, int n) { return "bench" + std::to_string(n) + "@profile" + std::to_string(p) + ".test"; }

}  // namespace

ManyBrowserProfiles::ManyBrowserProfiles(int profiles, int addonsPerProfile) {
    const std::wstring local = GetSpecialFolder(nullptr, CSIDL_LOCAL_APPDATA);
    const std::wstring roaming = GetSpecialFolder(nullptr, CSIDL_APPDATA);
    if (local.empty() || roaming.empty()) {
        error_ = "no application-data folders";
        return;
    }
    const std::wstring vendors[] = {local + L"\\Google", local + L"\\Microsoft\\Edge", local + L"\\BraveSoftware",
                                    local + L"\\Vivaldi", roaming + L"\\Mozilla", roaming + L"\\Opera Software"};
    for (const std::wstring& vendor : vendors) {
        if (PathExists(vendor)) {
            error_ = "needs a prefix without " + ToUtf8(vendor);
            return;
        }
    }
    owned_.assign(std::begin(vendors), std::end(vendors));
    MakeFolders(local + L"\\Google");
    const std::string png = MakePatternPng(local + L"\\Google\\scratch.png");
    if (png.empty()) {
        error_ = "cannot encode a PNG";
        return;
    }
    for (BrowserId browser : {BrowserId::Chrome, BrowserId::Edge, BrowserId::Brave, BrowserId::Vivaldi})
        MakeChromium(local + std::wstring(FactsOf(browser).userData), profiles, addonsPerProfile, png);
    MakeFirefox(roaming + L"\\Mozilla\\Firefox\\", profiles, addonsPerProfile, png);
    const std::wstring opera = roaming + L"\\Opera Software\\Opera Stable\\";
    MakeFolders(opera);
    WriteLargeChromeProfile(opera, addonsPerProfile, kPreferencesBytes, png);
}

void ManyBrowserProfiles::MakeChromium(const std::wstring& userData, int profiles, int addons,
                                       const std::string& png) {
    std::string cache;
    for (int p = 0; p < profiles; ++p) {
        const std::wstring folder = userData + ProfileFolderName(p) + L"\\";
        MakeFolders(folder + L"Extensions");
        WriteLargeChromeProfile(folder, addons, kPreferencesBytes, png);
        cache += (p ? ",\"" : "\"") + ToUtf8(ProfileFolderName(p)) + "\":{\"name\":\"Person " + std::to_string(p + 1) +
                 "\"}";
    }
    WriteBytes(userData + L"Local State",
               "{\"profile\":{\"info_cache\":{" + cache + "},\"last_used\":\"Default\"}}");
}

void ManyBrowserProfiles::MakeFirefox(const std::wstring& firefox, int profiles, int addons, const std::string& png) {
    std::string ini = "[General]\r\nStartWithLastProfile=1\r\n\r\n";
    for (int p = 0; p < profiles; ++p) {
        const std::string path = "Profiles/bench" + std::to_string(p) + ".default";
        ini += "[Profile" + std::to_string(p) + "]\r\nName=bench" + std::to_string(p) + "\r\nIsRelative=1\r\nPath=" +
               path + "\r\n" + (p == 0 ? "Default=1\r\n" : "") + "\r\n";
        const std::wstring profile = firefox + L"Profiles\\bench" + std::to_wstring(p) + L".default\\";
        std::string json = "{\"schemaVersion\":36,\"addons\":[";
        for (int n = 0; n < addons; ++n) {
            const std::string id = FoxId(p, n);
            const std::wstring addon = profile + L"extensions\\" + ToWide(id);
            MakeFolders(addon + L"\\icons");
            WriteBytes(addon + L"\\icons\\48.png", png);
            std::string escaped;
            for (char c : ToUtf8(addon)) escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
            json += (n ? "," : "") + std::string("{\"id\":\"") + id + "\",\"location\":\"app-profile\",\"type\":" +
                    "\"extension\",\"version\":\"1." + std::to_string(n) + "\",\"active\":true,\"userDisabled\":" +
                    (n % 7 == 0 ? "true" : "false") + ",\"path\":\"" + escaped + "\",\"defaultLocale\":{\"name\":" +
                    "\"Bench Fox " + std::to_string(n) + "\",\"description\":\"Keeps profile " + std::to_string(p) +
                    " tidy\"},\"icons\":{\"48\":\"icons/48.png\"}}";
        }
        WriteBytes(profile + L"extensions.json", json + "]}");
    }
    WriteBytes(firefox + L"profiles.ini", ini);
}

bool ManyBrowserProfiles::Remove() {
    bool gone = true;
    for (const std::wstring& folder : owned_) {
        RemoveTree(folder);
        gone = gone && !PathExists(folder);
    }
    return gone;
}

ManyBrowserProfiles::~ManyBrowserProfiles() { Remove(); }
