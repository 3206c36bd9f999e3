#include "support/MessagePump.h"

#include <windows.h>

#include <algorithm>

namespace {

void DispatchWaiting() {
    MSG message;
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
}

}  // namespace

bool PumpMessagesUntil(const std::function<bool()>& condition, unsigned timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        DispatchWaiting();
        if (condition()) return true;
        const ULONGLONG now = GetTickCount64();
        if (now >= deadline) return false;
        // Conditions may also change without a message (a worker's flag), so
        // they are looked at again at least every 10 ms.
        const DWORD wait = static_cast<DWORD>(std::min<ULONGLONG>(deadline - now, 10));
        MsgWaitForMultipleObjects(0, nullptr, FALSE, wait, QS_ALLINPUT);
    }
}

void PumpMessagesFor(unsigned milliseconds) {
    PumpMessagesUntil([] { return false; }, milliseconds);
}
