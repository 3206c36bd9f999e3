#pragma once
// The commands of bpmcli, each on the program's own browser list and with
// the main window's rules: no change while the browser runs, removal only
// when confirmed. Texts go to standard output, errors to standard error.
#include "cli/CliArguments.h"

CliExit RunCommand(const CliRequest& request);
