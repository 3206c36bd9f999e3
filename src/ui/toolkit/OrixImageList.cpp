#include "ui/toolkit/OrixImageList.h"

namespace {

const TOrixStrip kNoPicture;

}  // namespace

bool TOrixImageList::Create(const CreateArgs& args) {
    SetName(args.name);
    width_ = args.width;
    height_ = args.height;
    return true;
}

int TOrixImageList::Add(const TOrixStrip& picture) {
    pictures_.push_back(picture);
    return Count() - 1;
}

const TOrixStrip& TOrixImageList::Picture(int index) const {
    return index >= 0 && index < Count() ? pictures_[index] : kNoPicture;
}

void TOrixImageList::Draw(TOrixCanvas& canvas, int index, int x, int y, int state) const {
    const RECT dest = {x, y, x + canvas.Scale(width_), y + canvas.Scale(height_)};
    canvas.Picture(Picture(index), state, dest);
}
