#pragma once
// The start-up tidying of the program's "removed" marks: once a browser no
// longer has an extension the program marked "removed" in its
// "ExtensionSettings", the mark is taken out again, so the user may install
// the extension again later.
#include "browsers/BrowserList.h"

// For every browser of the list that has a policy key and whose profiles
// were all read: each of the program's marks whose id no profile of it still
// has is taken away (the mark through ApplyPolicyChange, then the note of it
// in the settings file). Browsers not listed keep their marks. Raises nothing.
void TakeBackRemovedMarks(const BrowserList& list) noexcept;
