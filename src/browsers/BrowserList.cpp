#include "browsers/BrowserList.h"

#include <shellapi.h>

#include "browsers/StartMenuInfo.h"
#include "browsers/chromium/ChromeExtensions.h"
#include "browsers/chromium/OperaExtensions.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "browsers/ie/IEExtensions.h"
#include "platform/SystemInfo.h"

namespace {

// ExtractIconW answers 1 for a file that is no executable, library or icon
// file; that is no handle to keep or destroy.
HICON ExtractFirstIcon(const std::wstring& path) {
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), path.c_str(), 0);
    return reinterpret_cast<ULONG_PTR>(icon) > 1 ? icon : nullptr;
}

}  // namespace

void GetBrowserList(BrowserList& list) {
    // Browsers not found wait here until the found ones are listed.
    BrowserList missing;
    const auto offer = [&](std::unique_ptr<TBrowserAppBase> adapter) {
        if (adapter->DataPath.empty()) {
            missing.push_back(std::move(adapter));
            return;
        }
        LoadStartMenuInfo(*adapter);
        list.push_back(std::move(adapter));
    };

    offer(std::make_unique<TChromeExtensions>());

    // Internet Explorer is always offered and keeps its fixed command and
    // description; only its icon comes from the installed program.
    auto ie = std::make_unique<TIEExtensions>();
    if (HICON icon = ExtractFirstIcon(ProgramFilesDir + L"Internet Explorer\\iexplore.exe")) ie->IconHandle.reset(icon);
    list.push_back(std::move(ie));

    offer(std::make_unique<TFireFoxExtensions>());
    offer(std::make_unique<TOPeraExtensions>());

    for (auto& adapter : missing) list.push_back(std::move(adapter));
}
