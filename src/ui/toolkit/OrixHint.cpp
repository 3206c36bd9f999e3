#include "ui/toolkit/OrixHint.h"

#include <commctrl.h>

namespace {

constexpr UINT_PTR kTrackingId = 0x7FFF;

TTTOOLINFOW ToolInfo(HWND window, UINT_PTR id, UINT flags) {
    TTTOOLINFOW info = {};
    info.cbSize = sizeof(info);
    info.uFlags = flags;
    info.hwnd = window;
    info.uId = id;
    return info;
}

}  // namespace

TOrixHint::TOrixHint(HWND owner) : owner_(owner) {}

bool TOrixHint::Ensure() {
    if (tooltip_) return true;
    static const bool initialised = [] {
        INITCOMMONCONTROLSEX controls = {sizeof(controls), ICC_WIN95_CLASSES};
        return InitCommonControlsEx(&controls) != FALSE;
    }();
    (void)initialised;
    tooltip_.reset(CreateWindowExW(WS_EX_TOPMOST, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                   CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, owner_, nullptr,
                                   GetModuleHandleW(nullptr), nullptr));
    if (!tooltip_) return false;
    SendMessageW(tooltip_.get(), TTM_SETMAXTIPWIDTH, 0, 400);
    return true;
}

void TOrixHint::Set(HWND window, UINT_PTR id, UINT flags, const RECT* area, const std::wstring& text) {
    if (!Ensure()) return;
    TTTOOLINFOW info = ToolInfo(window, id, flags);
    const bool exists = SendMessageW(tooltip_.get(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info)) != 0;
    info = ToolInfo(window, id, flags);
    if (text.empty()) {
        if (exists) SendMessageW(tooltip_.get(), TTM_DELTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        return;
    }
    info.lpszText = const_cast<wchar_t*>(text.c_str());
    if (area) info.rect = *area;
    if (!exists) {
        SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
        return;
    }
    SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    if (area) SendMessageW(tooltip_.get(), TTM_NEWTOOLRECTW, 0, reinterpret_cast<LPARAM>(&info));
}

void TOrixHint::SetWindowHint(HWND window, const std::wstring& text) {
    Set(owner_, reinterpret_cast<UINT_PTR>(window), TTF_IDISHWND | TTF_SUBCLASS, nullptr, text);
}

void TOrixHint::SetAreaHint(HWND window, UINT id, const RECT& area, const std::wstring& text) {
    Set(window, id, TTF_SUBCLASS, &area, text);
}

void TOrixHint::ShowAt(const std::wstring& text, POINT screenPoint) {
    if (text.empty()) {
        Hide();
        return;
    }
    if (!Ensure()) return;
    TTTOOLINFOW info = ToolInfo(owner_, kTrackingId, TTF_TRACK | TTF_ABSOLUTE);
    if (!SendMessageW(tooltip_.get(), TTM_GETTOOLINFOW, 0, reinterpret_cast<LPARAM>(&info))) {
        info = ToolInfo(owner_, kTrackingId, TTF_TRACK | TTF_ABSOLUTE);
        info.lpszText = const_cast<wchar_t*>(L"");
        SendMessageW(tooltip_.get(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
    info = ToolInfo(owner_, kTrackingId, TTF_TRACK | TTF_ABSOLUTE);
    if (text != trackText_) {
        trackText_ = text;
        info.lpszText = const_cast<wchar_t*>(trackText_.c_str());
        SendMessageW(tooltip_.get(), TTM_UPDATETIPTEXTW, 0, reinterpret_cast<LPARAM>(&info));
    }
    // Below and right of the pointer, as a hint under the mouse would be.
    SendMessageW(tooltip_.get(), TTM_TRACKPOSITION, 0, MAKELPARAM(screenPoint.x + 12, screenPoint.y + 20));
    if (!tracking_) SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&info));
    tracking_ = true;
}

void TOrixHint::Hide() {
    if (!tooltip_ || !tracking_) return;
    TTTOOLINFOW info = ToolInfo(owner_, kTrackingId, TTF_TRACK | TTF_ABSOLUTE);
    SendMessageW(tooltip_.get(), TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&info));
    tracking_ = false;
}
