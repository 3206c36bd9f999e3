#include "net/CheckUpdate.h"

#include <new>

#include "net/MakerAddresses.h"
#include "net/OnlinePages.h"
#include "net/TempIni.h"
#include "net/WebFetch.h"
#include "platform/MainThreadCalls.h"

TCheckUpdate::TCheckUpdate(std::int32_t build, std::wstring pageUrl)
    : Build(build), PageUrl(std::move(pageUrl)), DownloadUrl(DownloadPageUrl()) {}

void TCheckUpdate::Execute() {
    Busy = true;
    if (OnStart) RunOnMainThread([this] { OnStart(*this); });
    try {
        const std::wstring text = HttpGetText(PageUrl);
        if (!text.empty()) IniFile = SaveTempIni(text);
        if (!IniFile.empty()) {
            if (const std::optional<IniText> page = ReadTempIni(IniFile)) {
                UpdatePageInfo info = ReadUpdatePage(*page, Build, DownloadPageUrl());
                Build = info.Build;
                NewInfo = std::move(info.NewInfo);
                DownloadUrl = std::move(info.DownloadUrl);
            }
        }
    } catch (const std::bad_alloc&) {
        // A page too large for memory counts as no page.
    }
    if (OnDone) RunOnMainThread([this] { OnDone(*this, IniFile, NewInfo, DownloadUrl, Build); });
    Busy = false;
}
