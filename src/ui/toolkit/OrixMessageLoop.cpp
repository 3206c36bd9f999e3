#include "ui/toolkit/OrixMessageLoop.h"

#include "ui/toolkit/OrixForm.h"

bool OrixPreTranslateMessage(MSG& message) {
    if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST || !message.hwnd) return false;
    HWND root = GetAncestor(message.hwnd, GA_ROOT);
    TOrixControl* control = TOrixControl::FromHandle(root);
    if (!control || control->Kind() != TOrixKind::Form) return false;
    auto& form = static_cast<TOrixForm&>(*control);
    if (form.OnKeyPreview && form.OnKeyPreview(form, message)) return true;
    return IsDialogMessageW(root, &message) != FALSE;
}

int RunOrixMessageLoop() {
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (OrixPreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

bool RunOrixMessageLoopUntil(const std::function<bool()>& done) {
    MSG message;
    while (!done()) {
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got <= 0) {
            PostQuitMessage(static_cast<int>(message.wParam));
            return false;
        }
        if (OrixPreTranslateMessage(message)) continue;
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return true;
}
