#pragma once
// The folder of the running program, where the "Languages\" folder lives.
#include <string>

// With a trailing backslash.
std::wstring ExecutableFolder();

// Tests point the program at a folder of their own; an empty path goes back
// to the program's real folder.
void SetExecutableFolderForTests(const std::wstring& folder);
