#include "ui/Toasts.h"

#include <algorithm>
#include <memory>

#include "ui/FrmMessage.h"

namespace {

// Notifications belong to no caller: they are kept here and freed once
// their window is gone.
std::vector<std::unique_ptr<TfrmMessage>>& LiveToasts() {
    static std::vector<std::unique_ptr<TfrmMessage>> toasts;
    return toasts;
}

void CALLBACK FreeFinishedToasts(HWND, UINT, UINT_PTR id, DWORD) {
    KillTimer(nullptr, id);
    std::erase_if(LiveToasts(), [](const std::unique_ptr<TfrmMessage>& toast) { return toast->Finished(); });
}

void ShowToast(POINT at, const std::wstring& text, TToastStyle style) {
    auto toast = std::make_unique<TfrmMessage>();
    // Freed from the message loop, not from inside the window's last message.
    toast->OnFinished = [](TfrmMessage&) { SetTimer(nullptr, 0, 0, FreeFinishedToasts); };
    TfrmMessage& shown = *toast;
    LiveToasts().push_back(std::move(toast));
    if (!shown.Popup(at, text, style)) {
        std::erase_if(LiveToasts(), [&shown](const std::unique_ptr<TfrmMessage>& t) { return t.get() == &shown; });
    }
}

}  // namespace

void ShowInfoToast(POINT at, const std::wstring& text) { ShowToast(at, text, TToastStyle::Information); }

void ShowErrorToast(POINT at, const std::wstring& text) { ShowToast(at, text, TToastStyle::Error); }

std::vector<HWND> ToastWindows() {
    std::vector<HWND> windows;
    for (const auto& toast : LiveToasts()) {
        if (!toast->Finished() && toast->Handle()) windows.push_back(toast->Handle());
    }
    return windows;
}
