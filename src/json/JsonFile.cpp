// Reading and writing a JsonDocument as a file: the Windows half of
// JsonDocument, kept apart so the rest builds without <windows.h>.
#include "json/JsonDocument.h"

#include "platform/BrivoError.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

#include <windows.h>

#include <atomic>
#include <new>
#include <string>

namespace {

// Larger than any browser file; beyond it the 32-bit address space could
// not hold the text and its tree anyway.
constexpr LONGLONG kMaxFileSize = 1LL << 30;
constexpr DWORD kWriteChunk = 1u << 24;

std::string SystemMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    const DWORD length =
        FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                       nullptr, code, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    const UniqueLocal owner(buffer);
    std::wstring text = length ? std::wstring(buffer, length) : std::wstring();
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) text.pop_back();
    if (text.empty()) text = L"Error " + std::to_wstring(code);
    return ToUtf8(text);
}

[[noreturn]] void RaiseSystemError(DWORD code) { throw BrivoError(SystemMessage(code)); }

// A file being written beside its target. Removed again unless it was moved
// over the target.
class PendingFile {
public:
    explicit PendingFile(const std::wstring& target, DWORD attributes) {
        static std::atomic<unsigned> serial{0};
        // A few tries: a file of that name may be left from a crashed run.
        for (int attempt = 0; attempt < 16; ++attempt) {
            path_ = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial) + L".tmp";
            file_ = AdoptHandle(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
            if (file_) return;
            if (GetLastError() != ERROR_FILE_EXISTS) break;
        }
        path_.clear();
        RaiseSystemError(GetLastError());
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() {
        file_.reset();
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }

    void Write(const std::string& bytes) {
        std::size_t done = 0;
        while (done < bytes.size()) {
            const DWORD chunk = bytes.size() - done > kWriteChunk ? kWriteChunk : static_cast<DWORD>(bytes.size() - done);
            DWORD written = 0;
            if (!WriteFile(file_.get(), bytes.data() + done, chunk, &written, nullptr)) RaiseSystemError(GetLastError());
            if (written != chunk) RaiseSystemError(ERROR_DISK_FULL);
            done += written;
        }
    }

    void SetCreationTime(const FILETIME& created) { SetFileTime(file_.get(), &created, nullptr, nullptr); }

    // Flushes, closes and moves the file over the target in one step.
    void Replace(const std::wstring& target) {
        if (!FlushFileBuffers(file_.get())) RaiseSystemError(GetLastError());
        file_.reset();
        if (!MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
            RaiseSystemError(GetLastError());
        path_.clear();
    }

private:
    std::wstring path_;
    UniqueHandle file_;
};

// The whole text replaces the target, or the target stays as it was: a
// failure half-way through never leaves a browser a cut-off file. The new
// file takes the target's attributes and creation time; it gets the folder's
// inherited permissions, as browser profile files have.
void ReplaceFileContents(const std::wstring& target, const std::string& bytes) {
    WIN32_FILE_ATTRIBUTE_DATA existing{};
    const bool exists = GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &existing) != 0;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND) RaiseSystemError(GetLastError());
    // What writing such a file in place would meet: a read-only file is the
    // user's wish to keep it as it is.
    if (exists && (existing.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        RaiseSystemError(ERROR_ACCESS_DENIED);

    constexpr DWORD kKeptAttributes =
        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = exists ? existing.dwFileAttributes & kKeptAttributes : 0;
    PendingFile pending(target, attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
    pending.Write(bytes);
    if (exists) pending.SetCreationTime(existing.ftCreationTime);
    pending.Replace(target);
}

}  // namespace

std::optional<JsonDocument> JsonDocument::LoadFile(const std::wstring& path) {
    // The browser may have the file open; reading alongside it is fine.
    const UniqueHandle file = AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                      OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxFileSize) return std::nullopt;
    std::string bytes;
    try {
        bytes.resize(static_cast<std::size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        DWORD read = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &read, nullptr))
            return std::nullopt;
        if (read == 0) break;  // the file got shorter meanwhile
        done += read;
    }
    bytes.resize(done);
    return ParseFileBytes(bytes);
}

void JsonDocument::SaveFile(const std::wstring& path) const {
    std::string text;
    try {
        text = ToText();
    } catch (const std::bad_alloc&) {
        RaiseSystemError(ERROR_NOT_ENOUGH_MEMORY);
    }
    ReplaceFileContents(path, text);
}
