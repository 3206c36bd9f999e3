#include "net/GetNews.h"

#include <windows.h>

#include <new>

#include "net/OnlinePages.h"
#include "net/ServiceAddresses.h"
#include "net/TempIni.h"
#include "net/WebFetch.h"
#include "platform/MainThreadCalls.h"

std::wstring NewsPageUrl() { return WebSiteBaseUrl() + L"/news/koltinfo.htm"; }
std::wstring SiblingNewsPageUrl() { return WebSiteBaseUrl() + L"/news/t808info.htm"; }
std::wstring BuiltInMessagePageUrl() { return WebSiteBaseUrl() + L"/news/msg.html"; }

TGetNews::TGetNews(std::wstring pageUrl) : TSelfFreeingThread(THREAD_PRIORITY_NORMAL), PageUrl(std::move(pageUrl)) {}

void TGetNews::Execute() {
    Busy = true;
    if (OnStart) RunOnMainThread([this] { OnStart(*this); });
    try {
        const std::wstring text = HttpGetText(PageUrl.empty() ? SiblingNewsPageUrl() : PageUrl);
        const std::wstring file = text.empty() ? std::wstring() : SaveTempIni(text);
        if (!file.empty()) {
            if (const std::optional<IniText> page = ReadTempIni(file)) {
                NewsPageInfo info = ReadNewsPage(*page, BuiltInMessagePageUrl());
                MsgID = info.MsgID;
                ShowAll = info.ShowAll;
                Url = std::move(info.Url);
                FormWidth = info.FormWidth;
                FormHeight = info.FormHeight;
            }
            DeleteFileW(file.c_str());
        }
    } catch (const std::bad_alloc&) {
        // A page too large for memory counts as no page.
    }
    if (OnDone) RunOnMainThread([this] { OnDone(*this, Url, MsgID, ShowAll, FormWidth, FormHeight); });
    Busy = false;
}
