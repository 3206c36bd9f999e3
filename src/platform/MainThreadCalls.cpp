#include "platform/MainThreadCalls.h"

#include "platform/MessageWindow.h"

#include <windows.h>

#include <atomic>
#include <memory>

namespace {

constexpr UINT kPostedCall = WM_APP + 1;  // LPARAM: a std::function owned by the message
constexpr UINT kSentCall = WM_APP + 2;    // LPARAM: a std::function owned by the sender
constexpr wchar_t kClassName[] = L"BrivoMainThreadCalls";

std::atomic<HWND> callWindow{nullptr};
std::atomic<DWORD> mainThreadId{0};

using Call = std::function<void()>;

LRESULT CALLBACK CallWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == kPostedCall) {
        const std::unique_ptr<Call> call(reinterpret_cast<Call*>(lParam));
        (*call)();
        return 0;
    }
    if (message == kSentCall) {
        (*reinterpret_cast<const Call*>(lParam))();
        return 0;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

bool InitMainThreadCalls() {
    // A window destroyed behind the program's back (its thread's windows
    // going away) is made again rather than posted to in vain.
    if (const HWND window = callWindow.load(); window && IsWindow(window)) return true;
    const HWND window = CreateMessageWindow(kClassName, CallWindowProc);
    if (!window) return false;
    mainThreadId = GetCurrentThreadId();
    callWindow = window;
    return true;
}

bool OnMainThread() { return mainThreadId.load() != 0 && GetCurrentThreadId() == mainThreadId.load(); }

void PostToMainThread(std::function<void()> call) {
    const HWND window = callWindow.load();
    if (!window) return;
    auto boxed = std::make_unique<Call>(std::move(call));
    if (PostMessageW(window, kPostedCall, 0, reinterpret_cast<LPARAM>(boxed.get()))) boxed.release();
}

void RunOnMainThread(const std::function<void()>& call) {
    const HWND window = callWindow.load();
    if (!window || OnMainThread()) {
        call();
        return;
    }
    SendMessageW(window, kSentCall, 0, reinterpret_cast<LPARAM>(&call));
}
