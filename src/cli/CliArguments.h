#pragma once
// The command line of bpmcli, the console companion of the program: which
// command, on which browser and add-on, with which options. No Windows here;
// arguments arrive as UTF-8.
#include <optional>
#include <string>
#include <vector>

#include "browsers/BrowserId.h"
#include "browsers/BrowserKind.h"

// The process exit codes of bpmcli.
enum class CliExit : int {
    Ok = 0,
    // An adapter raised an error, or Windows did not accept the default browser.
    Failed = 1,
    // Bad command line, unknown browser or add-on, ambiguous add-on, unreadable JSON input.
    Usage = 2,
    // The browser runs, so its add-ons are not changed.
    BrowserRunning = 3,
};

enum class CliCommand { Help, List, Disable, Enable, Remove, Default, Json, Ratings, Policy, History, Undo };

enum class ListFormat { Table, Json, Csv };

struct CliRequest {
    CliCommand command = CliCommand::Help;
    // The command whose help was asked for; Help itself for the overview.
    CliCommand helpFor = CliCommand::Help;
    // None: list all browsers; default: show the default browser.
    BrowserKind browser = BrowserKind::None;
    // The browser the keyword names (its family is `browser`).
    BrowserId browserId = BrowserId::None;
    std::string id;
    // --profile: the profile's folder or given name; empty for the first.
    std::string profile;
    ListFormat format = ListFormat::Table;
    // 32 or 64 with --view; 0 without.
    int view = 0;
    bool yes = false;
    // undo: the record's number in the history list, from 1.
    int number = 0;
    std::string inputPath;
    std::string outputPath;
};

struct CliParse {
    std::optional<CliRequest> request;
    // Why the command line was refused; empty when it was taken.
    std::string error;
};

// args: the arguments after the program name.
CliParse ParseCliArguments(const std::vector<std::string>& args);

// The usage text of a command (Help: the overview of all commands).
std::string CliHelpText(CliCommand command);
