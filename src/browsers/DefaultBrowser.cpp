#include "browsers/DefaultBrowser.h"

#include "browsers/BrowserAppBase.h"
#include "platform/RegistryHelpers.h"

namespace {

const std::wstring kAssociations = L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\";

}  // namespace

bool IsDefaultBrowser(const TBrowserAppBase& adapter) {
    const std::wstring& progId = UrlProgId(adapter.Kind);
    if (progId.empty()) return false;
    return RegReadText(HKEY_CURRENT_USER, kAssociations + L"http\\UserChoice", L"Progid", true).text == progId;
}

bool SetDefaultBrowser(const TBrowserAppBase& adapter) {
    if (IsDefaultBrowser(adapter)) return true;
    const std::wstring& progId = UrlProgId(adapter.Kind);
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
