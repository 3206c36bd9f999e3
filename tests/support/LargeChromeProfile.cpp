#include "support/LargeChromeProfile.h"

#include <windows.h>
#include <objidl.h>
#include <shlobj.h>

#include "platform/GdiplusInclude.h"

#include "browsers/chromium/ChromeExtensions.h"
#include "platform/FileUtil.h"
#include "platform/ShellHelpers.h"
#include "platform/UniqueHandles.h"
#include "support/TestFiles.h"
#include "platform/Utf.h"

namespace {

bool WriteWhole(const std::wstring& path, const std::string& bytes) {
    const UniqueHandle file =
        AdoptHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    return file && WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size();
}

// One settings entry the way current browsers write them: the manifest with
// its permissions and scripts, and the bookkeeping around it.
std::string SettingsEntry(int n, std::size_t padTo) {
    const std::string id = LargeProfileExtensionId(n);
    const std::string version = LargeProfileExtensionVersion(n);
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

}  // namespace

std::wstring ChromeProfileFolderIn(const std::wstring& localAppData) { return localAppData + ChromiumProfileDirs[0]; }

std::string LargeProfileExtensionId(int n) {
    std::string id(32, 'a');
    for (int i = 31, v = n; i >= 0; --i, v /= 16) id[i] = static_cast<char>('a' + v % 16);
    return id;
}

std::string LargeProfileExtensionVersion(int n) { return "1." + std::to_string(n % 17) + "." + std::to_string(n); }

std::wstring LargeProfileIconPath(const std::wstring& profile, int n) {
    return profile + L"Extensions\\" + ToWide(LargeProfileExtensionId(n)) + L"\\" +
           ToWide(LargeProfileExtensionVersion(n)) + L"_0\\icons\\48.png";
}

std::string MakePatternPng(const std::wstring& scratchPath) {
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
    std::string bytes = ReadFileBytes(scratchPath).value_or(std::string());
    DeleteFileW(scratchPath.c_str());
    return bytes;
}

std::size_t WriteLargeChromeProfile(const std::wstring& profile, int count, std::size_t targetBytes,
                                    const std::string& png) {
    const std::size_t entrySize = targetBytes / count;
    std::string prefs = "{\"browser\":{\"window_placement\":{\"bottom\":1040,\"left\":10,\"maximized\":true}},"
                        "\"extensions\":{\"alerts\":{\"initialized\":true},\"known_disabled\":[";
    for (int n = 0; n < count; n += 5) prefs += (n ? ",\"" : "\"") + LargeProfileExtensionId(n) + "\"";
    prefs += "],\"settings\":{";
    for (int n = 0; n < count; ++n) {
        if (n) prefs += ",";
        prefs += SettingsEntry(n, entrySize);
        const std::wstring icon = LargeProfileIconPath(profile, n);
        SHCreateDirectoryExW(nullptr, icon.substr(0, icon.rfind(L'\\')).c_str(), nullptr);
        WriteWhole(icon, png);
    }
    prefs += "}},\"profile\":{\"name\":\"Person 1\",\"avatar_index\":26}}";
    return WriteWhole(profile + L"Preferences", prefs) ? prefs.size() : 0;
}

ScratchChromeProfile PrepareScratchChromeProfile() {
    ScratchChromeProfile scratch;
    const std::wstring local = GetSpecialFolder(nullptr, CSIDL_LOCAL_APPDATA);
    scratch.vendor = local + L"\\Google";
    if (local.empty() || PathExists(scratch.vendor)) {
        scratch.error = "needs a prefix without " + ToUtf8(scratch.vendor);
        return scratch;
    }
    scratch.profile = ChromeProfileFolderIn(local);
    SHCreateDirectoryExW(nullptr, (scratch.profile + L"Extensions").c_str(), nullptr);
    scratch.png = MakePatternPng(scratch.profile + L"scratch.png");
    if (scratch.png.empty()) {
        scratch.error = "cannot encode a PNG";
        RemoveTree(scratch.vendor);
    }
    return scratch;
}
