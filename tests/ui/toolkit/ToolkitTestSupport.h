#pragma once
// Helpers for driving skinned windows in tests: solid-colour picture
// strips whose slices are told apart by colour, a message pump that does
// what the program's loop does, real input sent from a second thread while
// the test thread pumps (window moving and sizing run modal loops), pixel
// reads from a window, and counts of the process's GDI and USER objects.
#include <windows.h>

#include <functional>
#include <initializer_list>

#include "ui/toolkit/OrixStrip.h"

// One slice per colour, each width x height design pixels.
TOrixStrip SolidStrip(int width, int height, std::initializer_list<COLORREF> colors);

// Dispatches through the program's pre-translation until the condition holds
// or the time is up; true when it held.
bool PumpUntil(const std::function<bool()>& condition, unsigned timeoutMs = 5000);
void PumpFor(unsigned milliseconds);

// Runs `input` on a second thread while this thread pumps, then pumps a
// little longer so that the results are painted.
void WhilePumping(const std::function<void()>& input);

// Input as a user makes it, at screen coordinates.
void MoveMouse(POINT screen);
void MouseButton(bool down);
void PressKey(WORD key, bool down);
void TypeKey(WORD key);

// The colour painted at a client point of a window.
COLORREF PixelAt(HWND window, int x, int y);
POINT ClientToScreenPoint(HWND window, int x, int y);

struct GuiObjectCounts {
    DWORD gdi = 0;
    DWORD user = 0;
};
// GetGuiResources where Windows has it; under Wine, where that is a stub,
// the live GDI objects found by handle index and the process's windows.
GuiObjectCounts CountGuiObjects();
