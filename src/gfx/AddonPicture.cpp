#include "gfx/AddonPicture.h"

#include <windows.h>

#include <algorithm>
namespace Gdiplus {
using std::max;
using std::min;
}  // namespace Gdiplus
#include <gdiplus.h>

void AddonPictureDeleter::operator()(Gdiplus::Bitmap* picture) const { delete picture; }
