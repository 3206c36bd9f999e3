// Reading and writing a JsonDocument as a file: the Windows half of
// JsonDocument, kept apart so the rest builds without <windows.h>.
#include "json/JsonDocument.h"

#include "platform/BrivoError.h"
#include "platform/FileUtil.h"
#include "platform/SystemErrorText.h"
#include "platform/TemporarySibling.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

#include <windows.h>

#include <new>
#include <string>

namespace {

// Larger than any browser file; beyond it the 32-bit address space could
// not hold the text and its tree anyway.
constexpr LONGLONG kMaxFileSize = 1LL << 30;
constexpr DWORD kWriteChunk = 1u << 24;

[[noreturn]] void RaiseSystemError(DWORD code) { throw BrivoError(SystemErrorText(code)); }

void WriteAll(HANDLE file, const std::string& bytes) {
    std::size_t done = 0;
    while (done < bytes.size()) {
        const DWORD chunk = bytes.size() - done > kWriteChunk ? kWriteChunk : static_cast<DWORD>(bytes.size() - done);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr)) RaiseSystemError(GetLastError());
        if (written != chunk) RaiseSystemError(ERROR_DISK_FULL);
        done += written;
    }
}

// Why the file cannot be set aside for its replacement (the browser holds it
// open, no access), or 0. ReplaceFileW itself reports only that it could not.
DWORD ReplaceRefusal(const std::wstring& target) {
    const UniqueHandle probe = AdoptHandle(CreateFileW(target.c_str(), GENERIC_READ | DELETE,
                                                       FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                       nullptr, OPEN_EXISTING, 0, nullptr));
    return probe ? 0 : GetLastError();
}

// A file being written beside its target. Removed again unless it was moved
// over the target.
class PendingFile {
public:
    // Not made (Created() false) when the folder refuses new files; any other
    // failure raises.
    PendingFile(const std::wstring& target, DWORD attributes) {
        // A few tries: the random name may be taken.
        DWORD error = ERROR_FILE_EXISTS;
        for (int attempt = 0; attempt < 16 && error == ERROR_FILE_EXISTS; ++attempt) {
            path_ = TemporarySiblingPath(target);
            file_ = AdoptHandle(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, attributes, nullptr));
            if (file_) return;
            error = GetLastError();
        }
        path_.clear();
        if (error != ERROR_ACCESS_DENIED) RaiseSystemError(error);
    }
    PendingFile(const PendingFile&) = delete;
    PendingFile& operator=(const PendingFile&) = delete;
    ~PendingFile() {
        file_.reset();
        if (!path_.empty()) DeleteFileW(path_.c_str());
    }

    bool Created() const { return static_cast<bool>(file_); }
    void Write(const std::string& bytes) { WriteAll(file_.get(), bytes); }
    void SetCreationTime(const FILETIME& created) { SetFileTime(file_.get(), &created, nullptr, nullptr); }

    // Flushes and closes the file and puts it in the target's place in one
    // step. An existing target is replaced with ReplaceFileW, which keeps
    // what the browser's file had: owner, access list, attributes, creation
    // time and other streams.
    void Replace(const std::wstring& target, bool targetExists) {
        if (!FlushFileBuffers(file_.get())) RaiseSystemError(GetLastError());
        file_.reset();
        const BOOL moved =
            targetExists ? ReplaceFileW(target.c_str(), path_.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                                        nullptr, nullptr)
                         : MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
        if (moved) {
            path_.clear();
            return;
        }
        const DWORD error = GetLastError();
        if (error == ERROR_UNABLE_TO_MOVE_REPLACEMENT && GetFileAttributesW(target.c_str()) == INVALID_FILE_ATTRIBUTES) {
            // Without a backup name this means the old file is gone already:
            // the new one takes its place the plain way, and is kept should
            // even that fail (the next save removes it).
            const bool placed = MoveFileExW(path_.c_str(), target.c_str(), MOVEFILE_WRITE_THROUGH);
            const DWORD moveError = GetLastError();
            path_.clear();
            if (placed) return;
            RaiseSystemError(moveError);
        }
        const DWORD refusal = error == ERROR_UNABLE_TO_REMOVE_REPLACED ? ReplaceRefusal(target) : 0;
        RaiseSystemError(refusal ? refusal : error);
    }

private:
    std::wstring path_;
    UniqueHandle file_;
};

// Where the folder takes no new file but the file itself may be written:
// written over in place, as the browsers themselves would.
void WriteInPlace(const std::wstring& target, const std::string& bytes) {
    const UniqueHandle file =
        AdoptHandle(CreateFileW(target.c_str(), GENERIC_WRITE, 0, nullptr, TRUNCATE_EXISTING, 0, nullptr));
    if (!file) RaiseSystemError(GetLastError());
    WriteAll(file.get(), bytes);
    if (!FlushFileBuffers(file.get())) RaiseSystemError(GetLastError());
}

// The whole text replaces the target, or the target stays as it was: a
// failure half-way through never leaves a browser a cut-off file. The new
// file takes the place of the old one with what it had (see Replace); a new
// file gets the folder's inherited permissions, as browser profile files
// have.
void ReplaceFileContents(const std::wstring& target, const std::string& bytes) {
    WIN32_FILE_ATTRIBUTE_DATA existing{};
    const bool exists = GetFileAttributesExW(target.c_str(), GetFileExInfoStandard, &existing) != 0;
    if (!exists && GetLastError() != ERROR_FILE_NOT_FOUND) RaiseSystemError(GetLastError());
    // What writing such a file in place would meet: a read-only file is the
    // user's wish to keep it as it is.
    if (exists && (existing.dwFileAttributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)))
        RaiseSystemError(ERROR_ACCESS_DENIED);
    // A file the browser holds open is the usual refusal: found out first,
    // nothing is written and no system call leaves files of its own behind.
    if (exists) {
        if (const DWORD refusal = ReplaceRefusal(target)) RaiseSystemError(refusal);
    }

    RemoveStaleTemporarySiblings(target);
    // ReplaceFileW carries these over by itself; set here as well, the new
    // file has them also where it does not (and when the target is new).
    constexpr DWORD kKeptAttributes =
        FILE_ATTRIBUTE_ARCHIVE | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_NOT_CONTENT_INDEXED;
    const DWORD attributes = exists ? existing.dwFileAttributes & kKeptAttributes : 0;
    PendingFile pending(target, attributes ? attributes : FILE_ATTRIBUTE_NORMAL);
    if (!pending.Created()) {
        if (!exists) RaiseSystemError(ERROR_ACCESS_DENIED);
        WriteInPlace(target, bytes);
        return;
    }
    pending.Write(bytes);
    if (exists) pending.SetCreationTime(existing.ftCreationTime);
    pending.Replace(target, exists);
}

}  // namespace

std::optional<JsonDocument> JsonDocument::LoadFile(const std::wstring& path) {
    // The browser may have the file open; reading alongside it is fine.
    const std::optional<std::string> bytes = TryReadFileBytes(path, kMaxFileSize);
    if (!bytes) return std::nullopt;
    return ParseFileBytes(*bytes);
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
