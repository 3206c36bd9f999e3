#pragma once
// Pictures of one design size, found by index (the icons a list shows).
// A component of its form, without a window.
#include <vector>

#include "ui/toolkit/OrixCanvas.h"
#include "ui/toolkit/OrixComponent.h"

class TOrixImageList : public TOrixComponent {
public:
    struct CreateArgs {
        std::wstring name;
        int width = 16;   // design pixels
        int height = 16;
    };

    TOrixImageList() : TOrixComponent(TOrixKind::ImageList) {}
    bool Create(const CreateArgs& args);

    int Width() const { return width_; }
    int Height() const { return height_; }
    // The index of the new picture.
    int Add(const TOrixStrip& picture);
    void Clear() { pictures_.clear(); }
    int Count() const { return static_cast<int>(pictures_.size()); }
    const TOrixStrip& Picture(int index) const;
    // At the list's size for the canvas DPI, top-left at (x, y) in pixels.
    void Draw(TOrixCanvas& canvas, int index, int x, int y, int state = 0) const;

private:
    int width_ = 16;
    int height_ = 16;
    std::vector<TOrixStrip> pictures_;
};
