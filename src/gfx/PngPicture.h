#pragma once
// PNG pictures in memory: decoding downloaded or read bytes, saving, copying.
#include <string>
#include <string_view>

#include "gfx/AddonPicture.h"

// Starts GDI+ on first use; it then runs until the process ends. False when
// it cannot start, and then no picture can be made.
bool EnsureGdiplus();

// The picture when the bytes are a PNG; none for anything else (a JPEG, an
// HTML page, damaged data).
AddonPicture DecodePngBytes(std::string_view bytes);
// False when the picture could not be written as a PNG file at path.
bool SavePngFile(Gdiplus::Bitmap& picture, const std::wstring& path);
// A picture of its own with the same pixels; none on failure.
AddonPicture ClonePicture(Gdiplus::Bitmap& picture);
// No picture, or one of zero width or height.
bool IsEmptyPicture(const AddonPicture& picture);
