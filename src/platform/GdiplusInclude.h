#pragma once
// GDI+ for the files that draw or encode pictures. Its headers use min and
// max unqualified, which NOMINMAX takes away; they get std's instead. Include
// this instead of <gdiplus.h>.
#include <windows.h>
#include <objidl.h>

#include <algorithm>

namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

// The image encoder GDI+ saves PNG files with (a fixed identifier of its
// built-in codecs).
inline constexpr CLSID kPngEncoderClsid = {0x557cf406, 0x1a04, 0x11d3, {0x9a, 0x73, 0x00, 0x00, 0xf8, 0x1e, 0xf3, 0x2e}};
