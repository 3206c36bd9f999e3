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
    for (const wchar_t* protocol : {L"ftp", L"http", L"https"})
        RegWriteString(HKEY_CURRENT_USER, kAssociations + protocol + L"\\UserChoice", L"Progid", progId);
    for (const wchar_t* protocol : {L"https", L"http", L"ftp"})
        RegWriteString(HKEY_CLASSES_ROOT, std::wstring(protocol) + L"\\shell\\open\\command", L"", adapter.OpenCommand);
    return IsDefaultBrowser(adapter);
}
