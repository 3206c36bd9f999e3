#pragma once
// bpmcli's output: UTF-8 text to standard output or standard error. A
// console gets the text as UTF-16 (right whatever its font and code page); a
// pipe or file gets the UTF-8 bytes as they are.
#include <string_view>

// Sets the console's output code page to UTF-8, for programs that read the
// console's bytes.
void PrepareConsole();
void PrintOut(std::string_view utf8);
void PrintError(std::string_view utf8);
