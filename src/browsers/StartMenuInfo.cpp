#include "browsers/StartMenuInfo.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <cwctype>

#include "browsers/BrowserAppBase.h"
#include "platform/RegistryHelpers.h"

namespace {

const std::wstring kNativeRoot = L"SOFTWARE\\Clients\\StartMenuInternet\\";
const std::wstring kWowRoot = L"SOFTWARE\\Wow6432Node\\Clients\\StartMenuInternet\\";

// The value from the native registration, else from the 32-bit one.
std::wstring ReadRegistration(const std::wstring& key, const std::wstring& subkey, const std::wstring& value) {
    std::wstring text = RegReadText(HKEY_LOCAL_MACHINE, kNativeRoot + key + subkey, value, true).text;
    if (text.empty()) text = RegReadText(HKEY_LOCAL_MACHINE, kWowRoot + key + subkey, value, true).text;
    return text;
}

bool ParseWholeNumber(const std::wstring& text, long& number) {
    if (text.empty() || std::iswspace(text.front())) return false;
    wchar_t* end = nullptr;
    errno = 0;
    number = std::wcstol(text.c_str(), &end, 10);
    return errno == 0 && end == text.c_str() + text.size();
}

}  // namespace

std::optional<IconLocation> ParseIconLocation(const std::wstring& location) {
    const std::size_t comma = location.find(L',');
    IconLocation result;
    if (comma != std::wstring::npos) result.file = location.substr(0, comma);
    const std::wstring indexText = comma == std::wstring::npos ? location : location.substr(comma + 1);
    long index = 0;
    if (!ParseWholeNumber(indexText, index)) return std::nullopt;
    // The shell takes a 16-bit icon index.
    result.index = static_cast<short>(index);
    return result;
}

void LoadStartMenuInfo(TBrowserAppBase& adapter) {
    const std::wstring& key = StartMenuKey(adapter.Kind);
    if (key.empty()) return;
    adapter.OpenCommand = ReadRegistration(key, L"\\shell\\open\\command", L"");
    adapter.ReinstallCommand = ReadRegistration(key, L"\\InstallInfo\\", L"ReinstallCommand");
    const std::wstring iconLocation = ReadRegistration(key, L"\\DefaultIcon", L"");
    adapter.Description = ReadRegistration(key, L"\\Capabilities", L"ApplicationDescription");

    if (iconLocation.empty()) return;
    const std::optional<IconLocation> icon = ParseIconLocation(iconLocation);
    if (!icon) return;
    // The shell may write the path of the file it used back into the buffer.
    std::wstring path = icon->file;
    path.resize(std::max<std::size_t>(path.size() + 1, MAX_PATH + 1), L'\0');
    WORD index = static_cast<WORD>(icon->index);
    HICON handle = ExtractAssociatedIconW(GetModuleHandleW(nullptr), path.data(), &index);
    if (handle) adapter.IconHandle.reset(handle);
}
