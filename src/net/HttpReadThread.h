#pragma once
// Fetches one page in the background (HttpGetText) and hands it to its owner
// in the end notification on the user-interface thread.
#include <functional>
#include <string>

#include "platform/SelfFreeingThread.h"

class THttpReadThread : public TSelfFreeingThread {
public:
    explicit THttpReadThread(std::wstring url) : Url(std::move(url)) {}

    std::wstring Url;
    // The page in the system's ANSI code page; read it in the notification.
    std::string Text;
    // True when the fetch returned, an empty page included.
    bool Done = false;
    // Runs on the user-interface thread when the work is over.
    std::function<void(THttpReadThread&)> OnTerminate;

protected:
    void Execute() override;
    void NotifyEnd() override;
};
