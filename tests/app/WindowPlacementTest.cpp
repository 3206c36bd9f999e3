#include <gtest/gtest.h>

#include "app/WindowPlacement.h"

#include <functional>
#include <string>

namespace {

// Compared as text, which also names both corners when they differ.
std::string Corners(const RECT& r) {
    return "(" + std::to_string(r.left) + "," + std::to_string(r.top) + ")-(" + std::to_string(r.right) + "," +
           std::to_string(r.bottom) + ")";
}

RECT Sized(LONG left, LONG top, LONG width, LONG height) { return RECT{left, top, left + width, top + height}; }

// The test screen has one monitor; cases are placed relative to its work area.
RECT WorkArea() {
    RECT work{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

struct Placement {
    const char* name;
    std::function<RECT(const RECT& work)> wanted;
    std::function<RECT(const RECT& work)> fitted;
};

void PrintTo(const Placement& placement, std::ostream* out) { *out << placement.name; }

class FitOnScreenTest : public ::testing::TestWithParam<Placement> {};

}  // namespace

TEST_P(FitOnScreenTest, KeepsTheTitleBarWithinReach) {
    const RECT work = WorkArea();
    ASSERT_GT(work.right - work.left, 800);
    ASSERT_GT(work.bottom - work.top, 600);
    const RECT wanted = GetParam().wanted(work);
    EXPECT_EQ(Corners(FitOnScreen(wanted)), Corners(GetParam().fitted(work))) << "wanted " << Corners(wanted);
}

INSTANTIATE_TEST_SUITE_P(
    WindowPlacement, FitOnScreenTest,
    ::testing::Values(
        Placement{"FarAboveAndLeft", [](const RECT&) { return Sized(-5000, -5000, 400, 300); },
                  [](const RECT& w) { return Sized(w.left, w.top, 400, 300); }},
        Placement{"FarRight", [](const RECT& w) { return Sized(30000, w.top + 100, 400, 300); },
                  [](const RECT& w) { return Sized(w.right - 400, w.top + 100, 400, 300); }},
        Placement{"FarBelow", [](const RECT& w) { return Sized(w.left + 50, 30000, 400, 300); },
                  [](const RECT& w) { return Sized(w.left + 50, w.bottom - 300, 400, 300); }},
        Placement{"OffScreenAndLargerThanTheWorkArea",
                  [](const RECT&) { return Sized(-30000, -30000, 20000, 20000); },
                  [](const RECT& w) { return w; }},
        Placement{"OnScreen", [](const RECT& w) { return Sized(w.left + 100, w.top + 100, 400, 300); },
                  [](const RECT& w) { return Sized(w.left + 100, w.top + 100, 400, 300); }},
        Placement{"PartlyOffTheRightEdge", [](const RECT& w) { return Sized(w.right - 100, w.top + 50, 400, 300); },
                  [](const RECT& w) { return Sized(w.right - 100, w.top + 50, 400, 300); }},
        Placement{"TitleJustReachable", [](const RECT& w) { return Sized(w.left + 10, w.top - 29, 400, 300); },
                  [](const RECT& w) { return Sized(w.left + 10, w.top - 29, 400, 300); }},
        Placement{"TitleAboveTheScreen", [](const RECT& w) { return Sized(w.left + 10, w.top - 30, 400, 300); },
                  [](const RECT& w) { return Sized(w.left + 10, w.top, 400, 300); }},
        Placement{"TitleLeftOfTheScreen", [](const RECT& w) { return Sized(w.left - 400, w.top + 20, 400, 300); },
                  [](const RECT& w) { return Sized(w.left, w.top + 20, 400, 300); }}),
    [](const auto& info) { return std::string(info.param.name); });
