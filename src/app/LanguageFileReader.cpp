#include "app/LanguageFileReader.h"

#include "platform/AnsiText.h"
#include "platform/FileUtil.h"
#include "platform/Utf.h"

namespace {

// Language files are a few kilobytes; anything this large is not one.
constexpr LONGLONG kMaxLanguageFileBytes = 16 * 1024 * 1024;

}  // namespace

std::string DecodeAnsiCodePage(std::string_view bytes) { return ToUtf8(AnsiToWide(bytes)); }

std::optional<LanguageFile> ReadLanguageFile(const std::wstring& path) {
    const std::optional<std::string> bytes = TryReadFileBytes(path, kMaxLanguageFileBytes);
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

