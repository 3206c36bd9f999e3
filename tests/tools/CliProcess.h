#pragma once
// Runs bpmcli.exe from the build as a separate process, the way a script
// would, and hands back what it printed and its exit code.
#include <windows.h>

#include <string>

#include "platform/UniqueHandles.h"
#include "support/StandInProcess.h"

struct CliResult {
    DWORD exitCode = 0xFFFFFFFF;
    std::string out;  // standard output, bytes as written
    std::string err;  // standard error
};

// arguments: the command line after the program name, quoted as needed.
CliResult RunCli(const std::wstring& arguments);

// A copy of the stand-in browser program running under exeName (such as
// "chrome.exe") until the object goes.
class StandInBrowser {
public:
    explicit StandInBrowser(const std::wstring& exeName);
    ~StandInBrowser();
    StandInBrowser(const StandInBrowser&) = delete;
    StandInBrowser& operator=(const StandInBrowser&) = delete;
    bool Started() const { return process_.Started(); }

private:
    std::wstring folder_;  // made by process_, removed when the process has ended
    HelperProcess process_;
};
