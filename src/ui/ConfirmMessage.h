#pragma once
// Questions and acknowledged messages in the image module's skinned message
// box, modal over their owner. The text is the Messages entry of the key
// (the key itself when no language has it), the title the Translation entry
// "Confirm". Yes answers 6 and No 7; Enter answers the focused button (Yes
// at first), the arrow keys move between the two, and Escape or the close
// button answer 7. Only one box is open at a time: a request while one is
// open answers 7 at once without showing anything.
#include <windows.h>

#include <string>

#include "ui/toolkit/OrixMessageBox.h"

int ConfirmMessage(HWND owner, const std::wstring& key, TOrixMessageButtons buttons, TOrixMessageIcon icon);
