#include "platform/FileBytes.h"

#include <windows.h>

#include "platform/BrivoError.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

// Larger than any browser file; the 32-bit address space could not hold
// the text and what is built from it anyway.
constexpr LONGLONG kMaxFileSize = 1LL << 30;

[[noreturn]] void RaiseSystemError(const std::wstring& path, DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const UniqueLocal owner(buffer);
    std::wstring text = length ? std::wstring(buffer, length) : L"Error " + std::to_wstring(code);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    throw BrivoError(ToUtf8(path + L": " + text));
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
    if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
        const DWORD code = GetLastError();
        if (code == ERROR_FILE_NOT_FOUND || code == ERROR_PATH_NOT_FOUND) return std::nullopt;
        RaiseSystemError(path, code);
    }
    const UniqueHandle file = AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) RaiseSystemError(path, GetLastError());
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size)) RaiseSystemError(path, GetLastError());
    if (size.QuadPart > kMaxFileSize) RaiseSystemError(path, ERROR_FILE_TOO_LARGE);
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr))
            RaiseSystemError(path, GetLastError());
        if (read == 0) break;  // the file got shorter meanwhile
        done += read;
    }
    bytes.resize(done);
    return bytes;
}
