#pragma once
// The gallery's small-windows mode. Options:
//   --small-windows   the window with a button for each small window
//   --toasts          ... with notifications held on screen (one at the corner)
//   --confirm         ... with a question in the skinned message box
//   --wait            ... with the wait window over it
//   --language=NAME   the language file to use (English unless told)
#include <string>

bool WantsSmallWindows(const std::wstring& options);
int RunSmallWindows(const std::wstring& options);
