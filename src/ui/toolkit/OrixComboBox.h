#pragma once
// A drop-down list: the system combo box (its list, keyboard and mouse
// behaviour) with a skinned closed face: frame, text and arrow.
#include <string>

#include "ui/toolkit/OrixControl.h"

class TOrixComboBox : public TOrixControl {
public:
    using CreateArgs = TOrixControl::CreateArgs;

    TOrixComboBox();
    bool Create(const CreateArgs& args);

    TOrixFont Font;
    COLORREF Color = RGB(0xFF, 0xFF, 0xFF);
    COLORREF BorderColor = RGB(0xCF, 0xCF, 0xCF);
    COLORREF FocusBorderColor = RGB(0x16, 0x95, 0xE6);
    TOrixStrip Arrow;  // normal, hover, pressed; a system glyph when empty

    int AddItem(const std::wstring& text);
    void Clear();
    int Count() const;
    std::wstring ItemText(int index) const;
    int ItemIndex() const;
    void SetItemIndex(int index);
    std::wstring Caption() const override { return ItemText(ItemIndex()); }
    void ApplyFont();

    std::function<void(TOrixComboBox&)> OnChange;

protected:
    LRESULT WndProc(UINT msg, WPARAM wp, LPARAM lp) override;
    bool HandleReflect(UINT msg, WPARAM wp, LPARAM lp, LRESULT& result) override;
    void HandleDpiChanged() override;
    void HandleMouseEnter() override;
    void HandleMouseLeave() override;

private:
    void PaintFace(HDC dc);
    void FitHeight();
};
