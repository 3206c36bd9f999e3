#pragma once
// The picture type of an add-on's icon: a GDI+ bitmap (loaded from PNG or
// drawn from a file's icon), owned by whoever holds the pointer. The GDI+
// headers stay out of the callers' way.
#include <memory>

namespace Gdiplus {
class Bitmap;
}

struct AddonPictureDeleter {
    void operator()(Gdiplus::Bitmap* picture) const;
};
using AddonPicture = std::unique_ptr<Gdiplus::Bitmap, AddonPictureDeleter>;
