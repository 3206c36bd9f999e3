#pragma once
// bpmcli's output: UTF-8 text to standard output or standard error. A
// console gets the text as UTF-16 (right whatever its font and code page); a
// pipe or file gets the UTF-8 bytes as they are.
#include <string>
#include <string_view>

#include "cli/CliArguments.h"

// Sets the console's output code page to UTF-8, for programs that read the
// console's bytes.
void PrepareConsole();
void PrintOut(std::string_view utf8);
void PrintError(std::string_view utf8);

// The program's message (section "Messages") in the user's language.
std::string Message(const wchar_t* key, const wchar_t* english);

// The one way a command ends with an error: "bpmcli: " and the text on
// standard error; gives back the exit code to end with.
CliExit Refuse(CliExit code, std::string_view text);
