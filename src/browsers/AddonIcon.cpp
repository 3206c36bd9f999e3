#include "browsers/AddonIcon.h"

#include <new>
#include <utility>

AddonIcon& AddonIcon::operator=(AddonPicture picture) {
    decode_ = nullptr;
    picture_ = std::move(picture);
    return *this;
}

void AddonIcon::DecodeOnFirstUse(std::function<AddonPicture()> decode) {
    picture_.reset();
    decode_ = std::move(decode);
}

Gdiplus::Bitmap* AddonIcon::get() const {
    if (decode_) {
        // Taken first, so a decoder that fails for good is asked only once.
        const std::function<AddonPicture()> decode = std::move(decode_);
        decode_ = nullptr;
        try {
            picture_ = decode();
        } catch (const std::bad_alloc&) {
            // No memory for this picture: the list shows its default one.
        }
    }
    return picture_.get();
}
