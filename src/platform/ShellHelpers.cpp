#include "platform/ShellHelpers.h"

#include <shellapi.h>
#include <shlobj.h>

#include <cwctype>

#include "platform/StrUtil.h"
#include "platform/SystemInfo.h"
#include "platform/UniqueHandles.h"

namespace {

constexpr FILEOP_FLAGS kRecycleFlags = FOF_ALLOWUNDO | FOF_NOCONFIRMATION | FOF_SILENT;        // 0x54
constexpr FILEOP_FLAGS kPermanentFlags = FOF_NOCONFIRMATION | FOF_SILENT;                     // 0x14
constexpr FILEOP_FLAGS kFolderFlags = FOF_NOERRORUI | FOF_NOCONFIRMMKDIR | FOF_NOCONFIRMATION;  // 0x610

bool ContainsHttp(const std::wstring& url) {
    return FoldAsciiCase(url).find(L"http") != std::wstring::npos;
}

// A shell path list is ended by a second NUL; c_str() of this adds it.
std::wstring ShellPathList(const std::wstring& path) { return path + L'\0'; }

bool RunShellDelete(const std::wstring& list, const wchar_t* target, FILEOP_FLAGS flags) {
    SHFILEOPSTRUCTW operation = {};
    operation.hwnd = nullptr;
    operation.wFunc = FO_DELETE;
    operation.pFrom = list.c_str();
    operation.pTo = target;
    operation.fFlags = flags;
    return SHFileOperationW(&operation) == 0 && !operation.fAnyOperationsAborted;
}

}  // namespace

bool ShellDeletePath(const std::wstring& path, bool toRecycleBin) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return false;
    // The shell refuses read-only files; hidden and system ones may be skipped.
    SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
    const std::wstring list = ShellPathList(path);
    if (!IsFileLocked(path) && RunShellDelete(list, nullptr, toRecycleBin ? kRecycleFlags : kPermanentFlags))
        return true;
    // What stays keeps the attributes it had (a folder partly deleted, too).
    if (GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES) SetFileAttributesW(path.c_str(), attributes);
    return false;
}

bool ShellDeleteFolder(const std::wstring& path) {
    if (IsBlank(path)) return false;
    const std::wstring list = ShellPathList(path);
    return RunShellDelete(list, list.c_str(), kFolderFlags);
}

bool IsFileLocked(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) return false;
    const UniqueHandle file = AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    return !file;
}

std::optional<ShellOpenRequest> UrlOpenRequest(const std::wstring& url, bool windows8) {
    if (IsBlank(url)) return std::nullopt;
    if (windows8 && ContainsHttp(url)) return ShellOpenRequest{L"IExplore.EXE", url};
    return ShellOpenRequest{url, L""};
}

void OpenUrl(HWND window, const std::wstring& url) {
    const std::optional<ShellOpenRequest> request = UrlOpenRequest(url, IsWindows8());
    if (!request) return;
    ShellExecuteW(window, L"open", request->file.c_str(),
                  request->parameters.empty() ? nullptr : request->parameters.c_str(), nullptr, SW_SHOWNORMAL);
}

std::wstring GetSpecialFolder(HWND window, int folderId) {
    if (window == reinterpret_cast<HWND>(-1)) return {};
    LPITEMIDLIST list = nullptr;
    if (FAILED(SHGetSpecialFolderLocation(window, folderId, &list)) || !list) return {};
    const UniqueCoTaskMem<ITEMIDLIST> owner(list);
    wchar_t path[MAX_PATH] = {};
    if (!SHGetPathFromIDListW(list, path)) return {};
    return path;
}

std::wstring WithTrailingBackslash(const std::wstring& path) {
    if (path.empty() || path.back() == L'\\') return path;
    return path + L'\\';
}

bool IsIERunning() { return FindWindowW(L"IEFrame", nullptr) != nullptr; }
