#pragma once
// Stand-in pictures for the gallery only: flat shapes drawn with GDI+ at
// 1x or 2x, in the roles and sizes the skin's pictures will have, until the
// program's own skin pictures exist. The toolkit never draws these itself.
#include <array>

#include "ui/toolkit/OrixStrip.h"

struct StandInPictures {
    TOrixStrip button;        // 3 states, 82 x 25
    TOrixStrip tab;           // 5 states, 102 x 30
    TOrixStrip browserFace;   // 3 states, 171 x 50
    TOrixStrip social;        // 3 states, 20 x 20
    TOrixStrip menuButton;    // 3 states, 30 x 30
    TOrixStrip minimizeButton;
    TOrixStrip closeButton;
    TOrixStrip logo;          // 18 x 18
    TOrixStrip row;           // 20 x 70
    TOrixStrip selection;     // 10 x 10
    TOrixStrip header;        // 90 x 25
    TOrixStrip toggleOn;      // 3 states, 45 x 18
    TOrixStrip toggleOff;
    TOrixStrip remove;        // 3 states, 18 x 18
    TOrixStrip starLit;       // 15 x 15
    TOrixStrip starHalf;
    TOrixStrip starGrey;
    TOrixStrip addon;         // 48 x 48
    TOrixStrip browserIcon;   // 32 x 32
    TOrixStrip emptyList;     // 100 x 100
    TOrixStrip thumb;         // 3 states, 12 x 30
    std::array<TOrixStrip, 4> messageIcons;  // 32 x 32
};

// Pictures drawn with `scale` pixels per design pixel (1 or 2).
StandInPictures MakeStandInPictures(int scale);
