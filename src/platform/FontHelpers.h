#pragma once
// Fonts shared between windows and controls.
#include <windows.h>

#include "platform/UniqueHandles.h"

// Replaces `target` with a new font that keeps target's style (weight,
// italic, underline, width, quality...) and takes source's face name,
// character set and height. The old target font is deleted by its owner;
// source is not touched. When either font is missing or cannot be read,
// target stays as it is.
void CopyFont(UniqueFont& target, HFONT source);
