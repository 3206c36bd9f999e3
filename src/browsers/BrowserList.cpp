#include "browsers/BrowserList.h"

#include <shellapi.h>
#include <shlobj.h>

#include "browsers/StartMenuInfo.h"
#include "browsers/chromium/ChromeExtensions.h"
#include "browsers/chromium/ChromiumProfiles.h"
#include "browsers/chromium/OperaExtensions.h"
#include "browsers/chromium/PolicyCleanup.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "browsers/firefox/FirefoxProfile.h"
#include "browsers/ie/IEExtensions.h"
#include "platform/FileUtil.h"
#include "platform/ShellHelpers.h"
#include "platform/SystemInfo.h"

namespace {

// ExtractIconW answers 1 for a file that is no executable, library or icon
// file; that is no handle to keep or destroy.
HICON ExtractFirstIcon(const std::wstring& path) {
    HICON icon = ExtractIconW(GetModuleHandleW(nullptr), path.c_str(), 0);
    return reinterpret_cast<ULONG_PTR>(icon) > 1 ? icon : nullptr;
}

// The found profiles of one browser go into the list together; the browser's
// registration is read once, for the first, and lent to the others.
void AppendProfiles(BrowserList& list, std::vector<std::unique_ptr<TBrowserAppBase>> profiles) {
    const TBrowserAppBase* first = nullptr;
    for (auto& adapter : profiles) {
        if (!first) {
            LoadStartMenuInfo(*adapter);
        } else {
            CopyStartMenuInfo(*first, *adapter);
        }
        list.push_back(std::move(adapter));
        first = list.back().get();
    }
}

std::vector<std::unique_ptr<TBrowserAppBase>> ChromiumAdapters(BrowserId browser,
                                                              const std::vector<TBrowserProfile>& profiles) {
    std::vector<std::unique_ptr<TBrowserAppBase>> adapters;
    for (const TBrowserProfile& profile : profiles) adapters.push_back(std::make_unique<TChromeExtensions>(browser, profile));
    return adapters;
}

}  // namespace

void GetBrowserList(BrowserList& list) {
    const std::wstring local = GetSpecialFolder(nullptr, CSIDL_LOCAL_APPDATA);
    // Browsers not found wait here until the found ones are listed.
    BrowserList missing;

    const ChromeFamilyProfiles chrome = FindChromeFamilyProfiles(local);
    if (chrome.profiles.empty()) {
        missing.push_back(std::make_unique<TChromeExtensions>(BrowserId::Chrome, std::nullopt));
    } else {
        AppendProfiles(list, ChromiumAdapters(chrome.member, chrome.profiles));
    }

    // Internet Explorer is always offered and keeps its fixed command and
    // description; only its icon comes from the installed program.
    auto ie = std::make_unique<TIEExtensions>();
    if (HICON icon = ExtractFirstIcon(ProgramFilesDir + L"Internet Explorer\\iexplore.exe")) ie->IconHandle.reset(icon);
    list.push_back(std::move(ie));

    const std::wstring firefox = FirefoxFolder(GetSpecialFolder(nullptr, CSIDL_APPDATA));
    std::vector<TBrowserProfile> firefoxProfiles;
    if (!firefox.empty() && FolderExists(firefox)) firefoxProfiles = FindFirefoxProfiles(firefox);
    if (firefoxProfiles.empty()) {
        // No profile named: the adapter finds the Firefox folder itself, or nothing.
        auto adapter = std::make_unique<TFireFoxExtensions>();
        if (adapter->DataPath.empty()) {
            missing.push_back(std::move(adapter));
        } else {
            std::vector<std::unique_ptr<TBrowserAppBase>> one;
            one.push_back(std::move(adapter));
            AppendProfiles(list, std::move(one));
        }
    } else {
        std::vector<std::unique_ptr<TBrowserAppBase>> adapters;
        for (const TBrowserProfile& profile : firefoxProfiles)
            adapters.push_back(std::make_unique<TFireFoxExtensions>(profile));
        AppendProfiles(list, std::move(adapters));
    }

    auto opera = std::make_unique<TOPeraExtensions>();
    if (opera->DataPath.empty()) {
        missing.push_back(std::move(opera));
    } else {
        std::vector<std::unique_ptr<TBrowserAppBase>> one;
        one.push_back(std::move(opera));
        AppendProfiles(list, std::move(one));
    }

    for (auto& adapter : missing) list.push_back(std::move(adapter));

    // Today's browsers on Chromium follow, only when installed.
    for (BrowserId browser : NewerChromiumBrowsers())
        AppendProfiles(list, ChromiumAdapters(browser, FindChromiumProfiles(ChromiumUserData(local, browser))));

    // What the browsers have now tells which of the program's "removed"
    // marks have done their work.
    TakeBackRemovedMarks(list);
}

std::vector<BrowserProfiles> GroupByBrowser(const BrowserList& list) {
    std::vector<BrowserProfiles> groups;
    for (const auto& adapter : list) {
        if (groups.empty() || groups.back().front()->Browser != adapter->Browser ||
            adapter->Browser == BrowserId::None)
            groups.emplace_back();
        groups.back().push_back(adapter.get());
    }
    return groups;
}
