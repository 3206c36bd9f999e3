#pragma once
// The two ways an adapter gives a record its icon from a local file.
#include <string>

#include "gfx/AddonPicture.h"

// Icon number `index` of the file drawn at its own size into the top-left
// corner of a transparent 48x48 picture; none when the file has no such icon
// or path names no file with icons.
AddonPicture ExtractIconImage(const std::wstring& path, int index);
// The PNG file as a picture; none for a missing file or one that is not a
// readable PNG. The file is read into memory and not kept open.
AddonPicture LoadPngFile(const std::wstring& path);
