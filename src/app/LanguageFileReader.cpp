#include "app/LanguageFileReader.h"

#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

#include <climits>

namespace {

// Language files are a few kilobytes; anything this large is not one.
constexpr LONGLONG kMaxLanguageFileBytes = 16 * 1024 * 1024;

std::optional<std::string> ReadWholeFile(const std::wstring& path) {
    const UniqueHandle file = AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                                      nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.get(), &size) || size.QuadPart > kMaxLanguageFileBytes) return std::nullopt;
    std::string bytes(static_cast<size_t>(size.QuadPart), '\0');
    size_t done = 0;
    while (done < bytes.size()) {
        DWORD got = 0;
        if (!ReadFile(file.get(), bytes.data() + done, static_cast<DWORD>(bytes.size() - done), &got, nullptr))
            return std::nullopt;
        if (got == 0) break;  // the file shrank meanwhile
        done += got;
    }
    bytes.resize(done);
    return bytes;
}

}  // namespace

std::string DecodeAnsiCodePage(std::string_view bytes) {
    if (bytes.empty() || bytes.size() > INT_MAX) return {};
    const int length = static_cast<int>(bytes.size());
    const int units = MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, nullptr, 0);
    if (units <= 0) return {};
    std::wstring wide(static_cast<size_t>(units), L'\0');
    MultiByteToWideChar(CP_ACP, 0, bytes.data(), length, wide.data(), units);
    return ToUtf8(wide);
}

std::optional<LanguageFile> ReadLanguageFile(const std::wstring& path) {
    const std::optional<std::string> bytes = ReadWholeFile(path);
    if (!bytes) return std::nullopt;
    return LanguageFile::ParseBytes(*bytes, DecodeAnsiCodePage);
}

std::optional<LanguageFile> ReadLanguageResource(HMODULE module, const wchar_t* name) {
    HRSRC info = FindResourceW(module, name, RT_RCDATA);
    if (!info) return std::nullopt;
    HGLOBAL loaded = LoadResource(module, info);
    const DWORD size = SizeofResource(module, info);
    const void* data = loaded ? LockResource(loaded) : nullptr;
    if (!data) return std::nullopt;
    return LanguageFile::ParseBytes(std::string_view(static_cast<const char*>(data), size), DecodeAnsiCodePage);
}

bool IsExistingFile(const std::wstring& path) {
    const DWORD attributes = GetFileAttributesW(path.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}
