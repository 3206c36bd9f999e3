#pragma once
// The hints (tooltips) of one form: a hint per control, hints for parts of
// a window (the title-bar buttons), and a hint shown at a point on request
// (rows of a list). One tooltip window serves them all.
#include <windows.h>

#include <string>

#include "platform/UniqueHandles.h"

class TOrixHint {
public:
    explicit TOrixHint(HWND owner);

    // An empty text removes the hint.
    void SetWindowHint(HWND window, const std::wstring& text);
    void SetAreaHint(HWND window, UINT id, const RECT& area, const std::wstring& text);
    void ShowAt(const std::wstring& text, POINT screenPoint);
    void Hide();
    bool Showing() const { return tracking_; }
    HWND Handle() const { return tooltip_.get(); }

private:
    bool Ensure();
    void Set(HWND window, UINT_PTR id, UINT flags, const RECT* area, const std::wstring& text);

    HWND owner_;
    UniqueWindow tooltip_;
    bool tracking_ = false;
    std::wstring trackText_;
};
