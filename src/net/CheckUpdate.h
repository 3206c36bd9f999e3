#pragma once
// The update check's worker: fetches the update page, turns it into a
// temporary INI file and reads the newest build, the download page and the
// news lines from it, then tells its owner on the user-interface thread.
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/SelfFreeingThread.h"

class TCheckUpdate : public TSelfFreeingThread {
public:
    TCheckUpdate(std::int32_t build, std::wstring pageUrl);

    // The running build at first; the page's build when it names one.
    std::int32_t Build;
    bool Busy = false;
    std::wstring PageUrl;
    // The page's "NewGetUrl", else the built-in download page.
    std::wstring DownloadUrl;
    // The temporary INI file written from the page; empty when none was.
    std::wstring IniFile;
    std::vector<std::wstring> NewInfo;

    // Both run on the user-interface thread while the worker waits.
    std::function<void(TCheckUpdate&)> OnStart;
    std::function<void(TCheckUpdate&, const std::wstring& iniFile, const std::vector<std::wstring>& newInfo,
                       const std::wstring& downloadUrl, std::int32_t build)>
        OnDone;

protected:
    void Execute() override;
    void NotifyEnd() override {}
};
