#include "CliProcess.h"

#include <gtest/gtest.h>

#include <atomic>

#include "support/BrowserSandbox.h"
#include "platform/Utf.h"

namespace {

std::wstring TempFolder() {
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    std::wstring folder = temp;
    if (!folder.empty() && folder.back() != L'\\') folder += L'\\';
    return folder;
}

// A file the child writes into through an inherited handle.
UniqueHandle InheritableFile(const std::wstring& path) {
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    return AdoptHandle(CreateFileW(path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, &inherit,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_TEMPORARY, nullptr));
}

}  // namespace

CliResult RunCli(const std::wstring& arguments) {
    CliResult result;
    const std::wstring program = std::wstring(BRIVO_BIN_DIR) + L"\\bpmcli.exe";
    const std::wstring stem = TempFolder() + UniqueName(L"bpmcli");
    const std::wstring outPath = stem + L".out";
    const std::wstring errPath = stem + L".err";
    {
        const UniqueHandle out = InheritableFile(outPath);
        const UniqueHandle err = InheritableFile(errPath);
        if (!out || !err) {
            ADD_FAILURE() << "cannot create the output files " << ToUtf8(stem);
            return result;
        }
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nullptr;
        startup.hStdOutput = out.get();
        startup.hStdError = err.get();
        std::wstring command = L"\"" + program + L"\" " + arguments;
        PROCESS_INFORMATION info{};
        if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, TRUE, CREATE_NO_WINDOW, nullptr,
                            nullptr, &startup, &info)) {
            ADD_FAILURE() << "cannot start " << ToUtf8(program) << ", error " << GetLastError();
            return result;
        }
        CloseHandle(info.hThread);
        const UniqueHandle process(info.hProcess);
        EXPECT_EQ(WaitForSingleObject(process.get(), 60000), WAIT_OBJECT_0) << "bpmcli " << ToUtf8(arguments);
        GetExitCodeProcess(process.get(), &result.exitCode);
    }
    result.out = ReadBytes(outPath);
    result.err = ReadBytes(errPath);
    DeleteFileW(outPath.c_str());
    DeleteFileW(errPath.c_str());
    return result;
}

StandInBrowser::StandInBrowser(const std::wstring& exeName)
    : folder_(TempFolder() + UniqueName(L"BrivoStandIn") + L"\\"), process_(folder_, exeName, L"", 60000) {}

StandInBrowser::~StandInBrowser() {
    process_.Release();
    RemoveTree(folder_);
}
