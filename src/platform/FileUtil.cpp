#include "platform/FileUtil.h"

#include <windows.h>

#include <new>

#include "platform/BrivoError.h"
#include "platform/SystemErrorText.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

// Larger than any browser file; the 32-bit address space could not hold
// the text and what is built from it anyway.
constexpr LONGLONG kMaxFileSize = 1LL << 30;

[[noreturn]] void RaiseSystemError(const std::wstring& path, DWORD code) {
    throw BrivoError(ToUtf8(path) + ": " + SystemErrorText(code));
}

// Reads the open file to its end; false on a read error. A file that got
// shorter meanwhile gives what was there.
bool ReadToEnd(HANDLE file, std::string& bytes, DWORD& error) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file, bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr)) {
            error = GetLastError();
            return false;
        }
        if (read == 0) break;
        done += read;
    }
    bytes.resize(done);
    return true;
}

UniqueHandle OpenForReading(const std::wstring& path) {
    return AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                   nullptr, OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return std::nullopt;
        RaiseSystemError(path, code);
    }
    const UniqueHandle file = OpenForReading(path);
    if (!file) RaiseSystemError(path, GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) RaiseSystemError(path, GetLastError());
    if (size.QuadPart > kMaxFileSize) RaiseSystemError(path, ERROR_FILE_TOO_LARGE);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD error = 0;
    if (!ReadToEnd(file.get(), bytes, error)) RaiseSystemError(path, error);
    return bytes;
}

std::optional<std::string> TryReadFileBytes(const std::wstring& path, std::uint64_t maxBytes) {
    const UniqueHandle file = OpenForReading(path);
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || static_cast<std::uint64_t>(size.QuadPart) > maxBytes) return std::nullopt;
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    DWORD error = 0;
    if (!ReadToEnd(file.get(), bytes, error)) return std::nullopt;
    return bytes;
}

bool FolderExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool FileExists(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) == 0;
}
