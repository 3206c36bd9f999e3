#include "browsers/firefox/AddonFiles.h"

#include <windows.h>

#include <algorithm>
#include <optional>

#include "gfx/PngPicture.h"
#include "browsers/firefox/ZipArchive.h"
#include "platform/BrivoError.h"
#include "platform/FileUtil.h"
#include "platform/Utf.h"
#include "platform/WowRedirection.h"

namespace {

// An add-on id as a name inside the profile's "extensions" folder.
bool IsPlainFileName(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"\\/:*?\"<>|") == std::wstring::npos;
}

// A file that is missing or cannot be read gives none.
std::optional<std::string> ReadIfReadable(const std::wstring& path) {
    try {
        return ReadFileBytes(path);
    } catch (const BrivoError&) {
        return std::nullopt;
    }
}

}  // namespace

bool IsFullWindowsPath(const std::wstring& path) {
    const bool drive = path.size() > 3 && path[1] == L':' && path[2] == L'\\' &&
                       ((path[0] >= L'A' && path[0] <= L'Z') || (path[0] >= L'a' && path[0] <= L'z'));
    const bool share = path.size() > 2 && path[0] == L'\\' && path[1] == L'\\' &&
                       path.find(L'\\', path.find(L'\\', 2) + 1) != std::wstring::npos;
    return drive || share;
}

std::wstring ResolveAddonPath(const std::wstring& profileFolder, const FirefoxAddonEntry& entry) {
    const std::wstring path = ToWide(entry.path);
    if (entry.location != "app-profile" || (IsFullWindowsPath(path) && PathExistsAnyView(path))) return path;
    const std::wstring id = ToWide(entry.id);
    if (!IsPlainFileName(id)) return path;
    for (const std::wstring& candidate :
         {profileFolder + L"extensions\\" + id + L".xpi", profileFolder + L"extensions\\" + id}) {
        if (PathExistsAnyView(candidate)) return candidate;
    }
    return path;
}

AddonPicture LoadAddonIcon(const std::wstring& addonPath, const std::vector<std::string>& files, std::string& chosen) {
    chosen.clear();
    if (files.empty() || !IsFullWindowsPath(addonPath)) return nullptr;
    const bool folder = FolderExists(addonPath);
    std::optional<std::string> package;
    if (!folder) {
        package = ReadIfReadable(addonPath);
        if (!package) return nullptr;
    }
    for (const std::string& file : files) {
        std::optional<std::string> bytes;
        if (folder) {
            std::wstring relative = ToWide(file);
            std::replace(relative.begin(), relative.end(), L'/', L'\\');
            bytes = ReadIfReadable(addonPath + L"\\" + relative);
        } else {
            bytes = ReadZipEntry(*package, file);
        }
        if (!bytes) continue;
        if (AddonPicture picture = DecodePngBytes(*bytes)) {
            chosen = file;
            return picture;
        }
    }
    return nullptr;
}
