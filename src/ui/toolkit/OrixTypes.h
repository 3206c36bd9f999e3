#pragma once
// Small value types shared by the skinned controls. Positions and sizes
// named "design" are pixels at 96 DPI; the controls scale them for the
// monitor they are on.
#include <windows.h>

enum class TOrixKind {
    Form,
    Button,
    Label,
    ListView,
    ScrollBar,
    PopupMenu,
    Edit,
    ComboBox,
    RichEdit,
    Image,
    ImageList,
    Panel,
};

// A rectangle in design pixels: left, top, width, height.
struct TOrixBounds {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// Which parent edges a control keeps its distance to when the parent is
// resized. Left and top together are the default.
enum TOrixAnchor : unsigned {
    AnchorLeft = 1,
    AnchorTop = 2,
    AnchorRight = 4,
    AnchorBottom = 8,
    AnchorAll = 15,
};

// A control may instead fill one side (or all) of its parent.
enum class TOrixAlign { None, Top, Bottom, Client };

enum class TOrixTextAlign { Left, Center, Right };

// Colours are written as #RRGGBB in the design; this builds the COLORREF.
constexpr COLORREF OrixRgb(unsigned rrggbb) {
    return RGB((rrggbb >> 16) & 0xFF, (rrggbb >> 8) & 0xFF, rrggbb & 0xFF);
}
