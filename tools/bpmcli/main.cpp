// bpmcli: the console companion of Brivo Plug-in Manager. It lists the
// browsers and add-ons the program sees and switches, removes and exports
// them with the program's own adapters; see "bpmcli --help".
#include <windows.h>
#include <shellapi.h>

#include <new>
#include <string>
#include <vector>

#include "Commands.h"
#include "ConsoleText.h"
#include "app/AppConfig.h"
#include "app/LanguageChoice.h"
#include "platform/BrivoError.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

// The arguments after the program name, from the UTF-16 command line (the
// narrow ones of main would have lost every letter outside the code page).
std::vector<std::string> CommandLineArguments() {
    int count = 0;
    wchar_t** words = CommandLineToArgvW(GetCommandLineW(), &count);
    const UniqueLocal owner(words);
    std::vector<std::string> args;
    for (int i = 1; words && i < count; ++i) args.push_back(ToUtf8(words[i]));
    return args;
}

}  // namespace

int main() {
    PrepareConsole();
    const std::vector<std::string> args = CommandLineArguments();
    const CliParse parsed = ParseCliArguments(args);
    if (!parsed.request)
        return static_cast<int>(
            Refuse(CliExit::Usage, parsed.error + "\r\nRun \"bpmcli --help\" for the commands."));
    // Messages in the user's language, as the program shows them.
    LoadSettings();
    ChooseLanguageFile(AppConfig.Language);
    // The commands report the adapters' errors themselves; what escapes
    // (reading the browsers, say) ends the command the same way.
    try {
        return static_cast<int>(RunCommand(*parsed.request));
    } catch (const BrivoError& error) {
        return static_cast<int>(Refuse(CliExit::Failed, error.what()));
    } catch (const std::bad_alloc&) {
        return static_cast<int>(Refuse(CliExit::Failed, "out of memory"));
    }
}
