#pragma once
// The news check's worker: fetches the news page, reads the current
// message's number, address and size from it and tells its owner on the
// user-interface thread.
#include <cstdint>
#include <functional>
#include <string>

#include "platform/SelfFreeingThread.h"

class TGetNews : public TSelfFreeingThread {
public:
    // An empty address fetches the sibling news page of the web site.
    explicit TGetNews(std::wstring pageUrl);

    bool Busy = false;
    std::wstring PageUrl;
    std::wstring Url;
    std::int32_t MsgID = 0;  // 0: no message
    bool ShowAll = false;
    std::int32_t FormWidth = 0;  // 0: not given
    std::int32_t FormHeight = 0;

    // Both run on the user-interface thread while the worker waits.
    std::function<void(TGetNews&)> OnStart;
    std::function<void(TGetNews&, const std::wstring& url, std::int32_t msgId, bool showAll, std::int32_t formWidth,
                       std::int32_t formHeight)>
        OnDone;

protected:
    void Execute() override;
    void NotifyEnd() override {}
};

// The web site's news page, its sibling and the built-in message page.
std::wstring NewsPageUrl();
std::wstring SiblingNewsPageUrl();
std::wstring BuiltInMessagePageUrl();
