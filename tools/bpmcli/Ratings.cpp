#include "Ratings.h"

#include <windows.h>

#include <string>

#include "ConsoleText.h"
#include "Inventory.h"
#include "net/rating/BatchRatingStep.h"
#include "net/rating/RatingResult.h"
#include "platform/MainThreadCalls.h"
#include "platform/MessageWindow.h"

namespace {

// The longest wait for the service: the key request and the batch request,
// each with its 5 s read time-out, and some room.
constexpr ULONGLONG kLongestWaitMs = 30000;

// What the conversation told the window, collected as the main window's
// WM_RATING_RESULT handler would take it.
struct Outcome {
    bool ended = false;
    bool delivered = false;  // 0xFFFE arrived
    int refusedCode = -1;    // any other code
};

// The outcome travels with the window (see CreateMessageWindow).
LRESULT CALLBACK ResultWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    Outcome* outcome = MessageWindowData<Outcome>(window);
    if (message != WM_RATING_RESULT || !outcome) return DefWindowProcW(window, message, wParam, lParam);
    if (IsRatingDelivery(wParam)) {
        reinterpret_cast<TBrowserExtensionInfo*>(lParam)->Rating = DeliveredRating(wParam);
    } else if (wParam == RateCode::BatchDelivered) {
        outcome->delivered = true;
    } else if (outcome->refusedCode < 0) {
        outcome->refusedCode = static_cast<int>(wParam);
    }
    return 0;
}

}  // namespace

CliExit RunRatings(const CliRequest& request) {
    BrowserList list;
    GetBrowserList(list);
    const InstalledBrowser browser = FindInstalledBrowser(list, request.browserId, request.profile);
    if (!browser.adapter) return Refuse(CliExit::Usage, browser.error);
    TBrowserAppBase* adapter = browser.adapter;
    // As the main window: no request for a browser without add-ons.
    if (adapter->GetExtensionCount() == 0) return CliExit::Ok;

    InitMainThreadCalls();
    Outcome seen;
    const HWND window = CreateMessageWindow(L"BrivoCliRatings", ResultWindow, &seen);
    if (!window) return Refuse(CliExit::Failed, "cannot create the window that receives the ratings");

    const auto target = TRateTarget::Create(window);
    StartBatchRating(*adapter, target, [&seen] { seen.ended = true; });
    const ULONGLONG deadline = GetTickCount64() + kLongestWaitMs;
    while (!seen.ended && GetTickCount64() < deadline) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
        if (!seen.ended) MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
    }
    target->Close();
    DestroyWindow(window);

    if (seen.refusedCode == RateCode::NotVerified)
        return Refuse(CliExit::Failed, Message(L"UnVerify", L"Product cannot be verified by server."));
    if (seen.refusedCode == RateCode::Unreadable)
        return Refuse(CliExit::Failed, Message(L"GetSvrError1", L"Failed to get rating information."));
    if (seen.refusedCode >= 0)
        return Refuse(CliExit::Failed, "the rating service answered code " + std::to_string(seen.refusedCode));
    if (!seen.delivered) return Refuse(CliExit::Failed, "no answer from the rating service");
    PrintOut(FormatRatingList(DescribeBrowser(*adapter, false)));
    return CliExit::Ok;
}
