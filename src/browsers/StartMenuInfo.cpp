#include "browsers/StartMenuInfo.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cerrno>
#include <cwchar>
#include <cwctype>
#include <vector>

#include "browsers/BrowserAppBase.h"
#include "platform/RegistryHelpers.h"

namespace {

const std::wstring kNativeRoot = L"SOFTWARE\\Clients\\StartMenuInternet\\";
const std::wstring kWowRoot = L"SOFTWARE\\Wow6432Node\\Clients\\StartMenuInternet\\";
const std::wstring kUserRoot = L"Software\\Clients\\StartMenuInternet\\";

// The value from the native registration, else from the 32-bit one; for a
// per-user registration from the current user's.
std::wstring ReadRegistration(const std::wstring& key, bool perUser, const std::wstring& subkey,
                              const std::wstring& value) {
    if (perUser) return RegReadText(HKEY_CURRENT_USER, kUserRoot + key + subkey, value, true).text;
    std::wstring text = RegReadText(HKEY_LOCAL_MACHINE, kNativeRoot + key + subkey, value, true).text;
    if (text.empty()) text = RegReadText(HKEY_LOCAL_MACHINE, kWowRoot + key + subkey, value, true).text;
    return text;
}

// The registered key of a browser that may carry a suffix: the machine's
// native, then 32-bit registrations, then the user's; the plain key wins
// over a suffixed one of the same place.
TBrowserRegistration FindSuffixedRegistration(const BrowserFacts& facts) {
    const std::wstring plain(facts.startMenuKey);
    const struct {
        HKEY root;
        const std::wstring& path;
        bool perUser;
    } places[] = {{HKEY_LOCAL_MACHINE, kNativeRoot, false},
                  {HKEY_LOCAL_MACHINE, kWowRoot, false},
                  {HKEY_CURRENT_USER, kUserRoot, true}};
    for (const auto& place : places) {
        std::vector<std::wstring> keys;
        if (!RegGetKeyNames(place.root, place.path, keys, true, true)) continue;
        const std::wstring* suffixed = nullptr;
        for (const std::wstring& key : keys) {
            if (!MatchesRegisteredName(facts, plain, key, true)) continue;
            if (key.size() == plain.size()) return {key, place.perUser, {}};
            if (!suffixed) suffixed = &key;
        }
        if (suffixed) return {*suffixed, place.perUser, {}};
    }
    return {plain, false, {}};
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
    const BrowserFacts& facts = FactsOf(adapter.Browser);
    TBrowserRegistration& registration = adapter.Registration;
    if (facts.suffixedRegistration) {
        registration = FindSuffixedRegistration(facts);
    } else {
        registration = {adapter.Browser == BrowserId::None ? StartMenuKey(adapter.Kind)
                                                           : std::wstring(facts.startMenuKey),
                        false, {}};
    }
    const std::wstring& key = registration.StartMenuKey;
    if (key.empty()) return;
    const bool perUser = registration.PerUser;
    adapter.OpenCommand = ReadRegistration(key, perUser, L"\\shell\\open\\command", L"");
    adapter.ReinstallCommand = ReadRegistration(key, perUser, L"\\InstallInfo\\", L"ReinstallCommand");
    const std::wstring iconLocation = ReadRegistration(key, perUser, L"\\DefaultIcon", L"");
    adapter.Description = ReadRegistration(key, perUser, L"\\Capabilities", L"ApplicationDescription");
    if (facts.suffixedRegistration) {
        // The ProgId the install registered for web links, suffix and all.
        const std::wstring progId = ReadRegistration(key, perUser, L"\\Capabilities\\URLAssociations", L"http");
        if (progId != facts.urlProgId && MatchesRegisteredName(facts, facts.urlProgId, progId, false))
            registration.UrlProgId = progId;
    }

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

void CopyStartMenuInfo(const TBrowserAppBase& from, TBrowserAppBase& to) {
    to.OpenCommand = from.OpenCommand;
    to.ReinstallCommand = from.ReinstallCommand;
    to.Description = from.Description;
    to.Registration = from.Registration;
}
