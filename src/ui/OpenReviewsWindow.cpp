#include "ui/OpenReviewsWindow.h"

#include "ui/ConfirmMessage.h"
#include "ui/FrmWait.h"
#include "ui/toolkit/OrixMessageLoop.h"

namespace {

// Wakes the wait below now and then, so that the time limit holds while
// nothing else arrives.
constexpr UINT kWakeMs = 50;

}  // namespace

std::unique_ptr<TfrmKoltRate> LoadReviewsWindow(TOrixForm& owner, TBrowserAppBase& adapter,
                                                TBrowserExtensionInfo& addon) {
    auto wait = std::make_unique<TfrmWait>();
    if (wait->CreateOver(owner.Handle())) {
        wait->Show();
        RedrawWindow(wait->Handle(), nullptr, nullptr, RDW_UPDATENOW);
    }

    auto window = std::make_unique<TfrmKoltRate>(adapter, addon);
    bool opened = window->CreateReviewsWindow(&owner);
    if (opened) {
        auto ended = std::make_shared<bool>(false);
        window->StartOpening([ended] { *ended = true; });
        const ULONGLONG deadline = GetTickCount64() + kReviewsOpeningLimitMs;
        const UINT_PTR wake = SetTimer(nullptr, 0, kWakeMs, nullptr);
        const bool quit = !RunOrixMessageLoopUntil([&] { return *ended || GetTickCount64() >= deadline; });
        if (wake) KillTimer(nullptr, wake);
        if (quit) return nullptr;
        opened = *ended && !window->LoadFailed();
    }
    if (!opened) {
        // The window goes unseen; the conversation, if it still runs, now
        // delivers to nobody.
        window.reset();
        wait.reset();
        // Enabled for the box, which keeps it disabled while it is open and
        // gives it the activation back when it closes.
        EnableWindow(owner.Handle(), TRUE);
        ConfirmMessage(owner.Handle(), L"PlugRatingError", TOrixMessageButtons::Ok, TOrixMessageIcon::Question);
        return nullptr;
    }
    window->PrepareForShow();
    return window;
}

void OpenReviewsWindow(TOrixForm& owner, TBrowserAppBase& adapter, TBrowserExtensionInfo& addon) {
    std::unique_ptr<TfrmKoltRate> window = LoadReviewsWindow(owner, adapter, addon);
    if (!window) return;
    // The modal loop disables the main window again and, when the reviews
    // window closes, enables and activates it.
    EnableWindow(owner.Handle(), TRUE);
    window->ShowModal();
    window.reset();
    // A review posted here changed the add-on's average in the main list.
    RedrawWindow(owner.Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}
