#include "net/TempIni.h"

#include <windows.h>

#include "platform/AnsiText.h"
#include "net/LongPathForm.h"
#include "net/RandomLetters.h"
#include "platform/FileUtil.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

constexpr DWORD kTempPathBuffer = 255;

std::optional<std::wstring> SearchLongName(const std::wstring& path) {
    // A wildcard would find some other entry's name.
    if (path.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW(path.c_str(), &found));
    if (!search || search.get() == INVALID_HANDLE_VALUE) return std::nullopt;
    return std::wstring(found.cFileName);
}


// A file that was created but not completely written is deleted again.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    UniqueHandle file = AdoptHandle(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return false;
    DWORD written = 0;
    if (WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
        written == bytes.size())
        return true;
    file.reset();
    DeleteFileW(path.c_str());
    return false;
}

}  // namespace

std::wstring GetLongTempPath() {
    wchar_t reported[kTempPathBuffer] = {};
    const DWORD length = GetTempPathW(kTempPathBuffer, reported);
    if (length == 0 || length >= kTempPathBuffer) return {};
    return LongTempFolder(std::wstring(reported, length), SearchLongName);
}

std::wstring SaveTempIni(const std::wstring& text) {
    const std::wstring folder = GetLongTempPath();
    // An unexpanded variable leaves no folder that is the user's own; the
    // drive root is no place for an elevated program to drop files.
    if (folder.empty() || folder.find(L'%') != std::wstring::npos || !FolderExists(folder)) return {};
    const std::wstring path = folder + ToWide(RandomLetters(8)) + L".ini";
    if (!WriteWholeFile(path, WideToAnsi(text) + "\r\n")) return {};
    return path;
}

std::optional<IniText> ReadTempIni(const std::wstring& path) {
    const std::optional<std::string> bytes = TryReadFileBytes(path, 16 * 1024 * 1024);
    if (!bytes) return std::nullopt;
    return IniText::Parse(ToUtf8(AnsiToWide(*bytes)));
}
