#include "Ratings.h"

#include <windows.h>

#include <cstdio>
#include <string>

#include "ConsoleText.h"
#include "Inventory.h"
#include "app/LanguageLookup.h"
#include "net/rating/BatchRatingStep.h"
#include "platform/MainThreadCalls.h"
#include "net/rating/RatingResult.h"
#include "platform/Utf.h"

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

Outcome* outcome = nullptr;

LRESULT CALLBACK ResultWindow(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
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

std::string Message(const wchar_t* key, const wchar_t* english) {
    return ToUtf8(Translate(L"Messages", key, english));
}

CliExit Fail(const std::string& text) {
    PrintError("bpmcli: " + text + "\r\n");
    return CliExit::Failed;
}

}  // namespace

CliExit RunRatings(const CliRequest& request) {
    BrowserList list;
    GetBrowserList(list);
    TBrowserAppBase* adapter = FindBrowser(list, request.browser);
    if (!adapter) {
        PrintError("bpmcli: no such browser\r\n");
        return CliExit::Usage;
    }
    if (adapter->DataPath.empty()) {
        PrintError("bpmcli: " + ToUtf8(adapter->DisplayName) + " was not found on this computer\r\n");
        return CliExit::Usage;
    }
    // As the main window: no request for a browser without add-ons.
    if (adapter->GetExtensionCount() == 0) return CliExit::Ok;

    InitMainThreadCalls();
    WNDCLASSW windowClass{};
    windowClass.lpfnWndProc = ResultWindow;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"BrivoCliRatings";
    RegisterClassW(&windowClass);
    const HWND window = CreateWindowExW(0, windowClass.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                        GetModuleHandleW(nullptr), nullptr);
    if (!window) return Fail("cannot create the window that receives the ratings");

    Outcome seen;
    outcome = &seen;
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
    outcome = nullptr;

    if (seen.refusedCode == RateCode::NotVerified)
        return Fail(Message(L"UnVerify", L"Product cannot be verified by server."));
    if (seen.refusedCode == RateCode::Unreadable)
        return Fail(Message(L"GetSvrError1", L"Failed to get rating information."));
    if (seen.refusedCode >= 0) return Fail("the rating service answered code " + std::to_string(seen.refusedCode));
    if (!seen.delivered) return Fail("no answer from the rating service");
    std::string text;
    for (int i = 0; i < adapter->GetExtensionCount(); ++i) {
        const TBrowserExtensionInfo* record = adapter->GetExtension(i);
        char rating[16];
        // Tenths, always with a point.
        const int tenths = static_cast<int>(record->Rating * 10 + 0.5);
        std::snprintf(rating, sizeof rating, "%d.%d", tenths / 10, tenths % 10);
        text += ToUtf8(record->Id.empty() ? record->Name : record->Id) + "\t" + rating + "\r\n";
    }
    PrintOut(text);
    return CliExit::Ok;
}
