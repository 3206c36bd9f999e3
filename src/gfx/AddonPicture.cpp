#include "gfx/AddonPicture.h"

#include <windows.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"

void AddonPictureDeleter::operator()(Gdiplus::Bitmap* picture) const { delete picture; }
