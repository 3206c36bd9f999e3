#include "browsers/firefox/FirefoxProfile.h"

#include <algorithm>
#include <optional>

#include "browsers/firefox/FirefoxProfilesIni.h"
#include "platform/AnsiText.h"
#include "platform/FileUtil.h"
#include "platform/Utf.h"

namespace {

// Far more than any "profiles.ini" holds; a larger file is not one.
constexpr std::uint64_t kMaxIniBytes = 1u << 20;

// Firefox writes the file in UTF-8; an older or hand-made one may be in the
// system's code page.
std::string IniTextOf(std::string bytes) {
    if (bytes.rfind("\xEF\xBB\xBF", 0) == 0) bytes.erase(0, 3);
    if (IsValidUtf8(bytes)) return bytes;
    return ToUtf8(AnsiToWide(bytes));
}

std::wstring AsFolder(std::wstring path) {
    std::replace(path.begin(), path.end(), L'/', L'\\');
    if (path.empty() || path.back() != L'\\') path += L'\\';
    return path;
}

}  // namespace

std::wstring FirefoxFolder(const std::wstring& roamingAppData) {
    if (roamingAppData.empty()) return {};
    return roamingAppData + L"\\Mozilla\\Firefox\\";
}

std::vector<TBrowserProfile> FindFirefoxProfiles(const std::wstring& firefoxFolder) {
    std::vector<TBrowserProfile> found;
    const std::optional<std::string> bytes = TryReadFileBytes(firefoxFolder + L"profiles.ini", kMaxIniBytes);
    if (!bytes) return found;
    for (const FirefoxIniProfile& listed : ReadFirefoxProfiles(IniTextOf(*bytes))) {
        const std::wstring path = ToWide(listed.path);
        TBrowserProfile profile{AsFolder(listed.relative ? firefoxFolder + path : path), path, ToWide(listed.name)};
        if (FolderExists(profile.DataPath)) found.push_back(std::move(profile));
    }
    return found;
}

std::wstring FirefoxFallbackFolder(const std::wstring& firefoxFolder) { return firefoxFolder + L"\\"; }
