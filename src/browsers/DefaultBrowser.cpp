#include "browsers/DefaultBrowser.h"

#include <vector>

#include "browsers/BrowserAppBase.h"
#include "platform/RegistryHelpers.h"
#include "platform/StrUtil.h"

namespace {

const std::wstring kAssociations = L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\";

bool EndsWithCaseless(const std::wstring& text, const std::wstring& tail) {
    return text.size() >= tail.size() &&
           FoldAsciiCase(std::wstring_view(text).substr(text.size() - tail.size())) == FoldAsciiCase(tail);
}

// The value of the RegisteredApplications key whose data names the
// Capabilities key; empty when none does.
std::wstring RegisteredAppIn(HKEY root, const std::wstring& path, const std::wstring& capabilities) {
    std::vector<std::wstring> names;
    if (!RegGetValueNames(root, path, names, true, true)) return {};
    for (const std::wstring& name : names) {
        const std::wstring data = RegReadText(root, path, name, true).text;
        // Installers write "Software\...", "SOFTWARE\..." or a Wow6432Node path.
        if (!name.empty() && EndsWithCaseless(data, capabilities)) return name;
    }
    return {};
}

}  // namespace

std::wstring UrlProgIdOf(const TBrowserAppBase& adapter) {
    if (!adapter.Registration.UrlProgId.empty()) return adapter.Registration.UrlProgId;
    if (adapter.Browser != BrowserId::None) return std::wstring(FactsOf(adapter.Browser).urlProgId);
    return UrlProgId(adapter.Kind);
}

bool IsDefaultBrowser(const TBrowserAppBase& adapter) {
    const std::wstring progId = UrlProgIdOf(adapter);
    if (progId.empty()) return false;
    return RegReadText(HKEY_CURRENT_USER, kAssociations + L"http\\UserChoice", L"Progid", true).text == progId;
}

bool SetDefaultBrowser(const TBrowserAppBase& adapter) {
    if (IsDefaultBrowser(adapter)) return true;
    const std::wstring progId = UrlProgIdOf(adapter);
    if (progId.empty()) return false;
    // Keys Windows has not made yet stay absent: RegWriteString creates none.
    bool chosen = false;
    for (const wchar_t* protocol : {L"ftp", L"http", L"https"})
        chosen |= RegWriteString(HKEY_CURRENT_USER, kAssociations + protocol + L"\\UserChoice", L"Progid", progId);
    // The open commands serve every program that opens a web link. An empty
    // command (a browser without a machine-wide registration) would break
    // them all, and without a choice written they would start a browser the
    // user did not get as the default.
    if (chosen && !adapter.OpenCommand.empty()) {
        for (const wchar_t* protocol : {L"https", L"http", L"ftp"})
            RegWriteString(HKEY_CLASSES_ROOT, std::wstring(protocol) + L"\\shell\\open\\command", L"",
                           adapter.OpenCommand);
    }
    return IsDefaultBrowser(adapter);
}

std::wstring DefaultAppsSettingsAddress(const TBrowserAppBase& adapter) {
    const std::wstring page = L"ms-settings:defaultapps";
    std::wstring key = adapter.Registration.StartMenuKey;
    if (key.empty()) key = adapter.Browser != BrowserId::None ? std::wstring(FactsOf(adapter.Browser).startMenuKey)
                                                              : StartMenuKey(adapter.Kind);
    if (key.empty()) return page;
    const std::wstring capabilities = L"\\Clients\\StartMenuInternet\\" + key + L"\\Capabilities";
    // A per-user install registers itself for the user alone.
    const bool userFirst = adapter.Registration.PerUser;
    const struct {
        HKEY root;
        const wchar_t* path;
        bool perUser;
    } places[] = {{HKEY_CURRENT_USER, L"Software\\RegisteredApplications", true},
                  {HKEY_LOCAL_MACHINE, L"SOFTWARE\\RegisteredApplications", false},
                  {HKEY_LOCAL_MACHINE, L"SOFTWARE\\Wow6432Node\\RegisteredApplications", false},
                  {HKEY_CURRENT_USER, L"Software\\RegisteredApplications", true}};
    for (std::size_t i = userFirst ? 0 : 1; i < std::size(places); ++i) {
        const std::wstring name = RegisteredAppIn(places[i].root, places[i].path, capabilities);
        if (!name.empty())
            return page + (places[i].perUser ? L"?registeredAppUser=" : L"?registeredAppMachine=") + name;
    }
    return page;
}
