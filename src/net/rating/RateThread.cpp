#include "net/rating/RateThread.h"

#include <new>

#include "net/rating/RateForm.h"
#include "net/rating/RateSessionInstance.h"

bool TRateThread::PostForm(const std::wstring& url) { return Http.Post(url, EncodeFormBody(Params), Response); }

bool TRateThread::GetUrl(const std::wstring& url) { return Http.Get(url, Response); }

void TRateThread::Execute() {
    if (!OnStep) return;
    bool lastOk = true;
    std::wstring url;
    Response.clear();
    try {
        while (OnStep(*this, lastOk, Params, url)) {
            Params.push_back(L"key=" + RateSession().GetKey());
            lastOk = lastOk ? PostForm(url) : GetUrl(url);
            Params.clear();
        }
    } catch (const std::bad_alloc&) {
        // A reply too large for memory ends the conversation like a failure
        // would; the thread must not take the process down with it.
    }
}

void TRateThread::NotifyEnd() {
    if (OnEnd) OnEnd();
}
