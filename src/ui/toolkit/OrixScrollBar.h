#pragma once
// A skinned vertical scroll bar: a track, a thumb of three states and,
// when the skin has them, line buttons at both ends. Positions are in the
// owner's units (the list view uses pixels of its content).
#include "ui/toolkit/OrixControl.h"

struct TOrixScrollBarSkin {
    TOrixStrip track;        // stretched over the whole bar
    TOrixStrip thumb;        // normal, hover, pressed; ends kept, middle stretched
    TOrixStrip upButton;     // normal, hover, pressed
    TOrixStrip downButton;
    int width = 12;          // design pixels
    int thumbMargin = 3;     // design pixels of the thumb's ends that are not stretched
    COLORREF trackColor = RGB(0xF2, 0xF2, 0xF2);
    COLORREF thumbColor = RGB(0xC9, 0xC9, 0xC9);
    COLORREF thumbHotColor = RGB(0xA6, 0xA6, 0xA6);
    COLORREF thumbDownColor = RGB(0x16, 0x95, 0xE6);
};

class TOrixScrollBar : public TOrixControl {
public:
    using CreateArgs = TOrixControl::CreateArgs;

    TOrixScrollBar();
    bool Create(const CreateArgs& args);

    void SetSkin(const TOrixScrollBarSkin& skin);
    const TOrixScrollBarSkin& Skin() const { return skin_; }
    // Content size and the visible part of it.
    void SetRange(int total, int page);
    int Total() const { return total_; }
    int Page() const { return page_; }
    int Position() const { return position_; }
    // Clamped to 0 .. total - page; OnScroll runs when it moved.
    void SetPosition(int position, bool notify = true);
    int MaxPosition() const { return total_ > page_ ? total_ - page_ : 0; }
    void SetLineStep(int step) { lineStep_ = step; }
    RECT ThumbRect() const;

    std::function<void(TOrixScrollBar&, int position)> OnScroll;

protected:
    void HandlePaint(TOrixCanvas& canvas) override;
    void HandleMouseMove(int x, int y) override;
    void HandleMouseLeave() override;
    void HandleMouseDown(int x, int y) override;
    void HandleMouseUp(int x, int y) override;
    void HandleCaptureLost() override;
    void HandleTimer(UINT_PTR id) override;
    bool HandleWheel(int delta) override;

private:
    enum class Part { None, Up, Down, PageUp, PageDown, Thumb };
    Part PartAt(int y) const;
    int ButtonLength(const TOrixStrip& strip) const;
    void Step(Part part);

    TOrixScrollBarSkin skin_;
    int total_ = 0;
    int page_ = 0;
    int position_ = 0;
    int lineStep_ = 20;
    Part hot_ = Part::None;
    Part pressed_ = Part::None;
    int dragOffset_ = 0;
};
