#include "platform/MovePath.h"

#include <windows.h>

#include <optional>
#include <vector>

#include "platform/FileUtil.h"
#include "platform/ShellHelpers.h"
#include "platform/UniqueHandles.h"

namespace {

// The names inside a folder, "." and ".." left out.
std::vector<WIN32_FIND_DATAW> FolderEntries(const std::wstring& folder) {
    std::vector<WIN32_FIND_DATAW> entries;
    WIN32_FIND_DATAW found;
    const HANDLE first = FindFirstFileW((folder + L"\\*").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return entries;
    const UniqueFindHandle find(first);
    do {
        const std::wstring name = found.cFileName;
        if (name != L"." && name != L"..") entries.push_back(found);
    } while (FindNextFileW(find.get(), &found));
    return entries;
}

bool IsFolder(const WIN32_FIND_DATAW& entry) { return (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0; }

bool SameBytes(const std::wstring& a, const std::wstring& b) {
    const std::optional<std::string> left = TryReadFileBytes(a, ~0ull), right = TryReadFileBytes(b, ~0ull);
    return left && right && *left == *right;
}

bool CopyFileChecked(const std::wstring& from, const std::wstring& to) {
    return CopyFileW(from.c_str(), to.c_str(), TRUE) && SameBytes(from, to);
}

// Copies the tree below the folder `from` into the new folder `to`; no
// recursion, so any depth is safe.
bool CopyTreeChecked(const std::wstring& from, const std::wstring& to) {
    std::vector<std::pair<std::wstring, std::wstring>> pending{{from, to}};
    while (!pending.empty()) {
        const auto [source, target] = pending.back();
        pending.pop_back();
        if (!CreateDirectoryW(target.c_str(), nullptr)) return false;
        for (const WIN32_FIND_DATAW& entry : FolderEntries(source)) {
            const std::wstring s = source + L"\\" + entry.cFileName, t = target + L"\\" + entry.cFileName;
            if (IsFolder(entry)) {
                pending.push_back({s, t});
            } else if (!CopyFileChecked(s, t)) {
                return false;
            }
        }
    }
    return true;
}

void DeletePath(const std::wstring& path) {
    if (FolderExists(path)) {
        ShellDeleteFolder(path);
    } else {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        DeleteFileW(path.c_str());
    }
}

}  // namespace

bool MovePath(const std::wstring& from, const std::wstring& to) {
    const bool folder = FolderExists(from);
    if (!folder && !FileExists(from)) return false;
    if (FolderExists(to) || FileExists(to)) return false;
    if (MoveFileExW(from.c_str(), to.c_str(), 0)) return true;
    if (GetLastError() != ERROR_NOT_SAME_DEVICE) return false;
    const bool copied = folder ? CopyTreeChecked(from, to) : CopyFileChecked(from, to);
    if (!copied) {
        DeletePath(to);
        return false;
    }
    // What a running program holds open may stay behind; the whole, checked
    // copy is kept either way, since the rest of the original may be gone.
    DeletePath(from);
    return true;
}

unsigned long long PathSize(const std::wstring& path) {
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
        return (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    unsigned long long total = 0;
    std::vector<std::wstring> pending{path};
    while (!pending.empty()) {
        const std::wstring folder = pending.back();
        pending.pop_back();
        for (const WIN32_FIND_DATAW& entry : FolderEntries(folder)) {
            if (IsFolder(entry))
                pending.push_back(folder + L"\\" + entry.cFileName);
            else
                total += (static_cast<unsigned long long>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        }
    }
    return total;
}
