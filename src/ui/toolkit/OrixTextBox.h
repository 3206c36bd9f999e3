#pragma once
// The common part of the text-editing controls: a skinned frame (border
// that shows the focus, inner padding) around a system edit or rich edit
// control, which keeps all of the system's editing (clipboard, undo, IME,
// selection). The inner control takes the focus and the Tab stop.
#include "ui/toolkit/OrixControl.h"

class TOrixTextBox : public TOrixControl {
public:
    TOrixFont Font;
    COLORREF Color = RGB(0xFF, 0xFF, 0xFF);
    COLORREF BorderColor = RGB(0xCF, 0xCF, 0xCF);
    COLORREF FocusBorderColor = RGB(0x16, 0x95, 0xE6);

    HWND EditHandle() const { return edit_; }
    std::wstring Text() const;
    void SetText(const std::wstring& text);
    std::wstring Caption() const override { return Text(); }
    bool HasBorder() const { return border_; }
    void SetBorder(bool border);
    void SetReadOnly(bool readOnly);
    // Gives the inner control the font again after Font changed.
    void ApplyFont();

    std::function<void(TOrixTextBox&)> OnChange;
    // Runs for each typed character; false drops it.
    std::function<bool(TOrixTextBox&, wchar_t)> OnKeyPress;

protected:
    explicit TOrixTextBox(TOrixKind kind) : TOrixControl(kind) {}
    bool CreateBox(const CreateArgs& args, const wchar_t* editClass, DWORD editStyle, bool singleLine);

    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    void HandlePaint(TOrixCanvas& canvas) override;
    void HandleSize() override;
    void HandleDpiChanged() override;
    void HandleFocus(bool focused) override;

private:
    static LRESULT CALLBACK EditProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
    void PlaceEdit();

    HWND edit_ = nullptr;  // a child window; destroyed with the frame
    bool singleLine_ = true;
    bool border_ = true;
    bool editFocused_ = false;
};
