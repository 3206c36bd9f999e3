#include "ui/toolkit/OrixTextBox.h"

#include <commctrl.h>

#include <algorithm>

namespace {

constexpr wchar_t kClassName[] = L"TOrixTextBox";
constexpr int kPaddingX = 4;
constexpr int kPaddingY = 3;

}  // namespace

bool TOrixTextBox::CreateBox(const CreateArgs& args, const wchar_t* editClass, DWORD editStyle, bool singleLine) {
    singleLine_ = singleLine;
    if (!CreateOwnWindow(args, kClassName, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT)) return false;
    edit_ = CreateWindowExW(0, editClass, args.caption.c_str(), WS_CHILD | WS_VISIBLE | WS_TABSTOP | editStyle, 0, 0,
                            0, 0, Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
    if (!edit_) return false;
    SetWindowSubclass(edit_, EditProc, 1, reinterpret_cast<DWORD_PTR>(this));
    ApplyFont();
    PlaceEdit();
    return true;
}

LRESULT CALLBACK TOrixTextBox::EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<TOrixTextBox*>(data);
    switch (msg) {
    case WM_CHAR:
        if (self->OnKeyPress && !self->OnKeyPress(*self, static_cast<wchar_t>(wp))) return 0;
        break;
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        self->editFocused_ = msg == WM_SETFOCUS;
        self->Invalidate();
        break;
    case WM_NCDESTROY:
        RemoveWindowSubclass(hwnd, EditProc, 1);
        self->edit_ = nullptr;
        break;
    default:
        break;
    }
    return DefSubclassProc(hwnd, msg, wp, lp);
}

std::wstring TOrixTextBox::Text() const {
    if (!edit_) return {};
    std::wstring text(static_cast<size_t>(GetWindowTextLengthW(edit_)) + 1, L'\0');
    text.resize(static_cast<size_t>(GetWindowTextW(edit_, text.data(), static_cast<int>(text.size()))));
    return text;
}

void TOrixTextBox::SetText(const std::wstring& text) {
    if (edit_) SetWindowTextW(edit_, text.c_str());
}

void TOrixTextBox::SetBorder(bool border) {
    border_ = border;
    PlaceEdit();
    Invalidate();
}

void TOrixTextBox::SetReadOnly(bool readOnly) {
    if (edit_) SendMessageW(edit_, EM_SETREADONLY, readOnly, 0);
}

void TOrixTextBox::ApplyFont() {
    if (!edit_) return;
    SendMessageW(edit_, WM_SETFONT, reinterpret_cast<WPARAM>(Font.Handle(Dpi())), TRUE);
    PlaceEdit();
}

void TOrixTextBox::PlaceEdit() {
    if (!edit_) return;
    const RECT client = ClientRect();
    const int border = border_ ? std::max(1, Scale(1)) : 0;
    const int padX = border_ ? Scale(kPaddingX) : 0;
    const int padY = border_ ? Scale(kPaddingY) : 0;
    int top = border + padY;
    int height = client.bottom - 2 * top;
    if (singleLine_) {
        // One line, centred: the font's height decides.
        const UniqueWindowDc dc(GetDC(edit_), {edit_});
        const SelectedObject font(dc.get(), Font.Handle(Dpi()));
        TEXTMETRICW metrics = {};
        GetTextMetricsW(dc.get(), &metrics);
        height = std::min(static_cast<int>(client.bottom - 2 * border), static_cast<int>(metrics.tmHeight) + 2);
        top = (client.bottom - height) / 2;
    }
    SetWindowPos(edit_, nullptr, border + padX, top, std::max(0, static_cast<int>(client.right - 2 * (border + padX))),
                 std::max(0, height), SWP_NOZORDER | SWP_NOACTIVATE);
}

void TOrixTextBox::HandlePaint(TOrixCanvas& canvas) {
    const RECT client = ClientRect();
    canvas.Fill(client, Color);
    if (border_) canvas.Frame(client, editFocused_ ? FocusBorderColor : BorderColor);
}

void TOrixTextBox::HandleSize() {
    PlaceEdit();
    TOrixControl::HandleSize();
}

void TOrixTextBox::HandleDpiChanged() {
    ApplyFont();
    Invalidate();
}

void TOrixTextBox::HandleFocus(bool focused) {
    // The frame passes the focus on to the text.
    if (focused && edit_) ::SetFocus(edit_);
}

LRESULT TOrixTextBox::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    switch (msg) {
    case WM_COMMAND:
        if (reinterpret_cast<HWND>(lp) == edit_ && edit_) {
            if (HIWORD(wp) == EN_CHANGE && OnChange) OnChange(*this);
            return 0;
        }
        break;
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORSTATIC:
        if (reinterpret_cast<HWND>(lp) == edit_ && edit_) {
            HDC dc = reinterpret_cast<HDC>(wp);
            SetTextColor(dc, Font.Color());
            SetBkColor(dc, Color);
            SetDCBrushColor(dc, Color);
            return reinterpret_cast<LRESULT>(GetStockObject(DC_BRUSH));
        }
        break;
    default:
        break;
    }
    return TOrixControl::WndProc(msg, wp, lp);
}
