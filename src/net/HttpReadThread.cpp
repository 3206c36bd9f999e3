#include "net/HttpReadThread.h"

#include <new>

#include "platform/AnsiText.h"
#include "net/WebFetch.h"

void THttpReadThread::Execute() {
    try {
        Text = WideToAnsi(HttpGetText(Url));
        Done = true;
    } catch (const std::bad_alloc&) {
        // A page too large for memory counts as not fetched.
        Text.clear();
    }
}

void THttpReadThread::NotifyEnd() {
    if (OnTerminate) OnTerminate(*this);
}
