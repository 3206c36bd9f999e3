#pragma once
// One conversation with the rating service on its own thread. The owner sets
// OnStep (and may put fields into Params and a value into Tag), starts the
// thread with Start and keeps no reference: the thread frees itself when the
// conversation ends.
//
// OnStep runs on the worker. First call: Url empty, LastOk true; the step
// fills Params, sets Url and answers true to send, or false to send nothing.
// Every later call follows one request: Url is that request's address,
// LastOk whether it succeeded, Response its body, Params empty; the step
// hands its results to its window and prepares the next request or answers
// false to end. The key is appended to every request as the last field.
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/rating/RateHttp.h"
#include "platform/SelfFreeingThread.h"

class TRateThread;

using TRateStepEvent =
    std::function<bool(TRateThread& sender, bool& lastOk, std::vector<std::wstring>& params, std::wstring& url)>;

class TRateThread : public TSelfFreeingThread {
public:
    TRateThread() : TSelfFreeingThread(THREAD_PRIORITY_NORMAL) {}

    // Starts the thread, which owns the object from then on. Call on the
    // user-interface thread.
    static void Start(std::unique_ptr<TRateThread> thread) { TSelfFreeingThread::Start(std::move(thread)); }

    // One POST of Params (form-encoded) to url; the reply body goes into
    // Response. True for a reply with a success status.
    bool PostForm(const std::wstring& url);
    // The same as a GET of the bare address; Params is not sent.
    bool GetUrl(const std::wstring& url);

    TRateHttp Http;
    TRateStepEvent OnStep;
    std::string Response;
    // "name=value" texts, in the order sent.
    std::vector<std::wstring> Params;
    // The owner's value: a comment id, an adapter, or 0.
    std::uintptr_t Tag = 0;
    // On the user-interface thread once the conversation is over (after
    // everything the steps handed over before); optional.
    std::function<void()> OnEnd;

protected:
    void Execute() override;
    void NotifyEnd() override;
};
