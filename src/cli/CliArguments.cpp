#include "cli/CliArguments.h"

#include <array>
#include <utility>

namespace {

struct CommandName {
    std::string_view name;
    CliCommand command;
};
constexpr std::array<CommandName, 11> kCommands = {{
    {"help", CliCommand::Help},
    {"list", CliCommand::List},
    {"disable", CliCommand::Disable},
    {"enable", CliCommand::Enable},
    {"remove", CliCommand::Remove},
    {"default", CliCommand::Default},
    {"json", CliCommand::Json},
    {"ratings", CliCommand::Ratings},
    {"policy", CliCommand::Policy},
    {"history", CliCommand::History},
    {"undo", CliCommand::Undo},
}};

std::optional<CliCommand> CommandFromName(std::string_view name) {
    for (const CommandName& row : kCommands)
        if (row.name == name) return row.command;
    return std::nullopt;
}

std::string_view NameOf(CliCommand command) {
    for (const CommandName& row : kCommands)
        if (row.command == command) return row.name;
    return "help";
}

bool IsHelpOption(std::string_view arg) { return arg == "--help" || arg == "-h" || arg == "/?"; }

CliParse Refusal(std::string error) { return {std::nullopt, std::move(error)}; }

CliParse UnknownBrowser(const std::string& keyword) {
    return Refusal("unknown browser \"" + keyword + "\" (" + std::string(BrowserKeywordList()) + ")");
}

// Sets both names of the browser a keyword names; false when it names none.
bool TakeBrowser(CliRequest& request, const std::string& keyword) {
    request.browserId = BrowserIdFromKeyword(keyword);
    request.browser = FactsOf(request.browserId).kind;
    return request.browserId != BrowserId::None;
}

CliParse HelpFor(CliCommand command) {
    CliRequest request;
    request.command = CliCommand::Help;
    request.helpFor = command;
    return {request, {}};
}

// What each command takes besides its positional arguments.
struct CommandShape {
    std::size_t minPositional;
    std::size_t maxPositional;
    bool browserOption;
    bool formatOption;
    bool viewOption;
    bool yesOption;
    bool profileOption;
};

CommandShape ShapeOf(CliCommand command) {
    switch (command) {
    case CliCommand::List: return {0, 0, true, true, false, false, false};
    case CliCommand::Disable:
    case CliCommand::Enable: return {2, 2, false, false, true, false, true};
    case CliCommand::Remove: return {2, 2, false, false, true, true, true};
    case CliCommand::Default: return {0, 1, false, false, false, false, false};
    case CliCommand::Json: return {2, 2, false, false, false, false, false};
    case CliCommand::Ratings: return {1, 1, false, false, false, false, true};
    case CliCommand::Policy: return {1, 1, false, false, false, false, false};
    case CliCommand::History: return {0, 0, false, true, false, false, false};
    case CliCommand::Undo: return {1, 1, false, false, false, false, false};
    case CliCommand::Help: break;
    }
    return {0, 1, false, false, false, false, false};
}

}  // namespace

CliParse ParseCliArguments(const std::vector<std::string>& args) {
    if (args.empty()) return Refusal("no command given");
    const std::string& first = args[0];
    if (IsHelpOption(first)) return HelpFor(CliCommand::Help);
    const std::optional<CliCommand> named = CommandFromName(first);
    if (!named) return Refusal("unknown command \"" + first + "\"");
    const CliCommand command = *named;

    // --help anywhere before "--" asks for the command's help, whatever else is there.
    for (std::size_t i = 1; i < args.size() && args[i] != "--"; ++i)
        if (IsHelpOption(args[i])) return HelpFor(command);

    if (command == CliCommand::Help) {
        if (args.size() == 1) return HelpFor(CliCommand::Help);
        if (args.size() > 2) return Refusal("help takes one command name");
        const std::optional<CliCommand> topic = CommandFromName(args[1]);
        if (!topic) return Refusal("unknown command \"" + args[1] + "\"");
        return HelpFor(*topic);
    }

    const CommandShape shape = ShapeOf(command);
    const std::string commandName(NameOf(command));
    CliRequest request;
    request.command = command;
    std::vector<std::string> positional;
    bool optionsEnded = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        // "--name value" or "--name=value".
        std::string name = arg;
        std::optional<std::string> value;
        if (const std::size_t equals = arg.find('='); equals != std::string::npos) {
            name = arg.substr(0, equals);
            value = arg.substr(equals + 1);
        }
        const auto takeValue = [&]() -> std::optional<std::string> {
            if (value) return value;
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        if (name == "--yes" && shape.yesOption && !value) {
            request.yes = true;
        } else if (name == "--browser" && shape.browserOption) {
            const std::optional<std::string> keyword = takeValue();
            if (!keyword) return Refusal("--browser needs one of " + std::string(BrowserKeywordList()));
            if (!TakeBrowser(request, *keyword)) return UnknownBrowser(*keyword);
        } else if (name == "--format" && shape.formatOption) {
            const std::optional<std::string> format = takeValue();
            if (format == "table") {
                request.format = ListFormat::Table;
            } else if (format == "json") {
                request.format = ListFormat::Json;
            } else if (format == "csv" && command != CliCommand::History) {
                request.format = ListFormat::Csv;
            } else {
                return Refusal(command == CliCommand::History ? "--format needs table or json"
                                                              : "--format needs table, json or csv");
            }
        } else if (name == "--profile" && shape.profileOption) {
            const std::optional<std::string> profile = takeValue();
            if (!profile || profile->empty()) return Refusal("--profile needs a profile's folder or name");
            request.profile = *profile;
        } else if (name == "--view" && shape.viewOption) {
            const std::optional<std::string> view = takeValue();
            if (view == "32") {
                request.view = 32;
            } else if (view == "64") {
                request.view = 64;
            } else {
                return Refusal("--view needs 32 or 64");
            }
        } else {
            return Refusal("\"" + commandName + "\" does not take the option " + name);
        }
    }

    if (positional.size() < shape.minPositional) return Refusal("\"" + commandName + "\" needs more arguments");
    if (positional.size() > shape.maxPositional) return Refusal("\"" + commandName + "\" takes fewer arguments");

    switch (command) {
    case CliCommand::Disable:
    case CliCommand::Enable:
    case CliCommand::Remove:
    case CliCommand::Default:
    case CliCommand::Ratings:
    case CliCommand::Policy:
        if (!positional.empty() && !TakeBrowser(request, positional[0])) return UnknownBrowser(positional[0]);
        if (positional.size() > 1) {
            request.id = positional[1];
            if (request.id.empty()) return Refusal("the add-on id is empty");
        }
        break;
    case CliCommand::Json:
        request.inputPath = positional[0];
        request.outputPath = positional[1];
        if (request.inputPath.empty() || request.outputPath.empty()) return Refusal("a file name is empty");
        break;
    case CliCommand::Undo: {
        // A record's number in the history list, from 1.
        const std::string& text = positional[0];
        int number = 0;
        for (const char c : text) {
            if (c < '0' || c > '9' || number > 100000000) return Refusal("undo needs a record's number from 1");
            number = number * 10 + (c - '0');
        }
        if (text.empty() || number < 1) return Refusal("undo needs a record's number from 1");
        request.number = number;
        break;
    }
    case CliCommand::History:
    case CliCommand::List:
    case CliCommand::Help: break;
    }
    return {request, {}};
}

std::string CliHelpText(CliCommand command) {
    switch (command) {
    case CliCommand::List:
        return "usage: bpmcli list [--browser B] [--format table|json|csv]\n"
               "\n"
               "Lists every browser profile in the program's order with its add-ons in list\n"
               "order, the profiles of a browser one after the other, its first profile first.\n"
               "  --browser  only this browser: chrome, ie, firefox, opera, edge, brave, vivaldi\n"
               "  --format   table (default, for reading), json (one document, stable for\n"
               "             scripts) or csv (one row per add-on, the browser first)\n";
    case CliCommand::Disable:
    case CliCommand::Enable:
        return std::string("usage: bpmcli ") + std::string(NameOf(command)) +
               " <browser> <id> [--profile NAME] [--view 32|64]\n"
               "\n"
               "Switches the add-on " + (command == CliCommand::Disable ? "off" : "on") +
               " in the browser, as the main window's switch does.\n"
               "  <browser>  chrome, ie, firefox, opera, edge, brave or vivaldi\n"
               "  <id>       the add-on's id as listed (an IE context-menu entry: its name)\n"
               "  --profile  the profile, by its folder or its name (any letter case);\n"
               "             without it the browser's first profile\n"
               "  --view     32 or 64: the registry view, for an id listed in both\n"
               "Refused with exit code 3 while the browser runs.\n";
    case CliCommand::Remove:
        return "usage: bpmcli remove <browser> <id> --yes [--profile NAME] [--view 32|64]\n"
               "\n"
               "Removes the add-on from the browser for good, as the main window's delete does.\n"
               "  <browser>  chrome, ie, firefox, opera, edge, brave or vivaldi\n"
               "  <id>       the add-on's id as listed (an IE context-menu entry: its name)\n"
               "  --yes      confirms the removal; without it nothing is removed\n"
               "  --profile  the profile, by its folder or its name; without it the first\n"
               "  --view     32 or 64: the registry view, for an id listed in both\n"
               "Refused with exit code 3 while the browser runs.\n";
    case CliCommand::Default:
        return "usage: bpmcli default [<browser>]\n"
               "\n"
               "Without a browser: shows the default browser. With one (chrome, ie, firefox,\n"
               "opera, edge, brave, vivaldi): makes it the default; exit code 1 when Windows\n"
               "does not accept it (since Windows 8 the user confirms it in the Windows\n"
               "settings, which are then opened at the browser's page).\n";
    case CliCommand::Json:
        return "usage: bpmcli json <in> <out>\n"
               "\n"
               "Reads the JSON file <in> and writes it to <out> in the form the program\n"
               "writes browser files in. Exit code 2 when <in> holds no JSON document.\n";
    case CliCommand::Ratings:
        return "usage: bpmcli ratings <browser> [--profile NAME]\n"
               "\n"
               "Asks the rating service for the ratings of the browser's add-ons, as the main\n"
               "window does, and prints each add-on's id and rating (0.0 when the service\n"
               "has none). Exit code 1 when the service refuses or its answer is unreadable.\n"
               "  --profile  the profile, by its folder or its name; without it the first\n";
    case CliCommand::Policy:
        return "usage: bpmcli policy <browser>\n"
               "\n"
               "Prints the browser's extension policies as they are now, in the form of a\n"
               "managed policy file of Chromium on Linux (/etc/chromium/policies/managed/):\n"
               "\"ExtensionInstallBlocklist\" and \"ExtensionSettings\". Exit code 2 for a\n"
               "browser that is not installed or documents no policy key.\n";
    case CliCommand::History:
        return "usage: bpmcli history [--format table|json]\n"
               "\n"
               "Lists the changes the program made, newest first, numbered from 1: time,\n"
               "browser and profile, add-on, what was done and whether it was undone.\n"
               "  --format   table (default) or json (one object per record)\n";
    case CliCommand::Undo:
        return "usage: bpmcli undo <n>\n"
               "\n"
               "Undoes change <n> of \"bpmcli history\": switches the add-on back, puts a\n"
               "removed add-on back or gives the default browser back.\n"
               "Refused with exit code 3 while the browser runs, exit code 1 when it can no\n"
               "longer be done (the note says why).\n";
    case CliCommand::Help: break;
    }
    return "usage: bpmcli <command> [arguments]\n"
           "\n"
           "Commands:\n"
           "  list [--browser B] [--format table|json|csv]   browsers and their add-ons\n"
           "  disable <browser> <id> [--profile P] [--view V] switch an add-on off\n"
           "  enable <browser> <id> [--profile P] [--view V]  switch an add-on on\n"
           "  remove <browser> <id> --yes [--profile P] ...   remove an add-on\n"
           "  default [<browser>]                            show or set the default browser\n"
           "  json <in> <out>                                rewrite a JSON file in the program's form\n"
           "  ratings <browser>                              the add-ons' ratings from the rating service\n"
           "  policy <browser>                               the browser's extension policies as JSON\n"
           "  history [--format table|json]                  the changes made, newest first\n"
           "  undo <n>                                       undo change n of the history\n"
           "  help [<command>]                               this text, or a command's\n"
           "\n"
           "Browsers: chrome, ie, firefox, opera, edge, brave, vivaldi.\n"
           "\"bpmcli <command> --help\" describes a command.\n"
           "Exit codes: 0 done, 1 failed, 2 bad arguments or unknown add-on, 3 browser running.\n";
}
