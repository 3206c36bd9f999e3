#pragma once
// A record's icon: a picture given outright, or one decoded from a local
// file the first time anyone looks at it. Browsers list thousands of
// add-ons; decoding every icon while the list is read would cost seconds,
// and most rows are never shown. Main thread only, like the records.
#include <cstddef>
#include <functional>

#include "gfx/AddonPicture.h"

class AddonIcon {
public:
    AddonIcon() = default;
    AddonIcon(const AddonIcon&) = delete;
    AddonIcon& operator=(const AddonIcon&) = delete;
    AddonIcon(AddonIcon&&) = default;
    AddonIcon& operator=(AddonIcon&&) = default;

    // The picture outright; a decoding that has not happened yet is dropped.
    AddonIcon& operator=(AddonPicture picture);
    // The picture is whatever `decode` gives, made when first looked at;
    // none when it gives none (a missing or broken file).
    void DecodeOnFirstUse(std::function<AddonPicture()> decode);
    // True until the picture has been asked for (or given outright).
    bool Pending() const { return static_cast<bool>(decode_); }

    // The picture, decoded now when still pending; null when there is none.
    Gdiplus::Bitmap* get() const;
    Gdiplus::Bitmap* operator->() const { return get(); }
    // Only where there is a picture.
    Gdiplus::Bitmap& operator*() const { return *get(); }
    explicit operator bool() const { return get() != nullptr; }
    friend bool operator==(const AddonIcon& icon, std::nullptr_t) { return !icon; }
    friend bool operator!=(const AddonIcon& icon, std::nullptr_t) { return static_cast<bool>(icon); }

private:
    mutable AddonPicture picture_;
    mutable std::function<AddonPicture()> decode_;
};
