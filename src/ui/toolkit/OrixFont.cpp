#include "ui/toolkit/OrixFont.h"

#include <cstdlib>
#include <cwchar>

#include "ui/toolkit/OrixDpi.h"

TOrixFont::TOrixFont() = default;

TOrixFont::TOrixFont(const TOrixFont& other) { *this = other; }

TOrixFont& TOrixFont::operator=(const TOrixFont& other) {
    if (this == &other) return *this;
    name_ = other.name_;
    height_ = other.height_;
    charset_ = other.charset_;
    bold_ = other.bold_;
    italic_ = other.italic_;
    underline_ = other.underline_;
    color_ = other.color_;
    Changed();
    return *this;
}

void TOrixFont::Changed() const {
    handle_.reset();
    handleDpi_ = 0;
}

void TOrixFont::SetName(const std::wstring& name) {
    if (name.empty() || name == name_) return;
    name_ = name;
    Changed();
}

int TOrixFont::Size() const { return MulDiv(height_, 72, kDesignDpi); }

void TOrixFont::SetSize(int points) {
    if (points <= 0) return;
    SetHeight(MulDiv(points, kDesignDpi, 72));
}

void TOrixFont::SetHeight(int pixels) {
    pixels = std::abs(pixels);
    if (pixels == 0 || pixels == height_) return;
    height_ = pixels;
    Changed();
}

void TOrixFont::SetCharset(BYTE charset) {
    if (charset == charset_) return;
    charset_ = charset;
    Changed();
}

void TOrixFont::SetBold(bool bold) {
    if (bold == bold_) return;
    bold_ = bold;
    Changed();
}

void TOrixFont::SetItalic(bool italic) {
    if (italic == italic_) return;
    italic_ = italic;
    Changed();
}

void TOrixFont::SetUnderline(bool underline) {
    if (underline == underline_) return;
    underline_ = underline;
    Changed();
}

void TOrixFont::CopyFrom(const TOrixFont& source) {
    name_ = source.name_;
    charset_ = source.charset_;
    height_ = source.height_;
    Changed();
}

void TOrixFont::CopyFrom(HFONT source, UINT sourceDpi) {
    LOGFONTW font = {};
    if (!source || GetObjectW(source, sizeof(font), &font) == 0) return;
    if (font.lfFaceName[0]) name_ = font.lfFaceName;
    charset_ = font.lfCharSet;
    if (font.lfHeight != 0) height_ = UnscaleForDpi(std::abs(font.lfHeight), sourceDpi);
    Changed();
}

HFONT TOrixFont::Handle(UINT dpi) const {
    if (handle_ && handleDpi_ == dpi) return handle_.get();
    LOGFONTW font = {};
    font.lfHeight = -ScaleForDpi(height_, dpi);
    font.lfWeight = bold_ ? FW_BOLD : FW_NORMAL;
    font.lfItalic = italic_;
    font.lfUnderline = underline_;
    font.lfCharSet = charset_;
    font.lfQuality = CLEARTYPE_QUALITY;
    wcsncpy(font.lfFaceName, name_.c_str(), LF_FACESIZE - 1);
    handle_.reset(CreateFontIndirectW(&font));
    handleDpi_ = dpi;
    return handle_ ? handle_.get() : static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
}
