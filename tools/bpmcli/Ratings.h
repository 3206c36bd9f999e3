#pragma once
// "bpmcli ratings <browser>": the main window's batch rating request for the
// browser's add-ons, printing each add-on's id and rating.
#include "cli/CliArguments.h"

CliExit RunRatings(const CliRequest& request);
