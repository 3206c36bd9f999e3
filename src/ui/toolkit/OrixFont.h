#pragma once
// A font as the controls describe it: face, size, character set, style and
// colour, independent of DPI. The GDI font for a DPI is made when a control
// draws and kept until the description or the DPI changes.
#include <windows.h>

#include <string>

#include "platform/UniqueHandles.h"

class TOrixFont {
public:
    TOrixFont();
    TOrixFont(const TOrixFont& other);
    TOrixFont& operator=(const TOrixFont& other);

    const std::wstring& Name() const { return name_; }
    void SetName(const std::wstring& name);
    // Size in points; stored, as the character height in design pixels.
    int Size() const;
    void SetSize(int points);
    // Character height in design pixels (positive).
    int Height() const { return height_; }
    void SetHeight(int pixels);
    BYTE Charset() const { return charset_; }
    void SetCharset(BYTE charset);
    bool Bold() const { return bold_; }
    void SetBold(bool bold);
    bool Italic() const { return italic_; }
    void SetItalic(bool italic);
    bool Underline() const { return underline_; }
    void SetUnderline(bool underline);
    COLORREF Color() const { return color_; }
    void SetColor(COLORREF color) { color_ = color; }

    // Face, character set and size of the source; style and colour stay.
    void CopyFrom(const TOrixFont& source);
    // The same from a GDI font whose height is taken at the given DPI.
    void CopyFrom(HFONT source, UINT sourceDpi);

    // The GDI font at the DPI; owned by this object, valid until it changes.
    HFONT Handle(UINT dpi) const;

private:
    void Changed() const;

    std::wstring name_ = L"Tahoma";
    int height_ = 11;  // 8 points
    BYTE charset_ = DEFAULT_CHARSET;
    bool bold_ = false;
    bool italic_ = false;
    bool underline_ = false;
    COLORREF color_ = RGB(0, 0, 0);
    mutable UniqueFont handle_;
    mutable UINT handleDpi_ = 0;
};
