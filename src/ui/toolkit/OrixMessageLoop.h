#pragma once
// The message loop of a thread that shows skinned forms: keyboard messages
// go through the dialog navigation of their form first (Tab, Shift+Tab,
// Escape, Enter), as they would in a dialog box.
#include <windows.h>

#include <functional>

// True when the message was handled and must not be dispatched again.
bool OrixPreTranslateMessage(MSG& message);
// Runs until WM_QUIT; the answer is the quit code.
int RunOrixMessageLoop();
// Runs until the condition holds (checked after each message) or WM_QUIT
// arrives; a WM_QUIT is posted again for the outer loop. False on WM_QUIT.
bool RunOrixMessageLoopUntil(const std::function<bool()>& done);
