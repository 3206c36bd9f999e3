#include "support/StandInProcess.h"

#include <gtest/gtest.h>

#include "platform/ShellHelpers.h"
#include "platform/Utf.h"
#include "support/TestFiles.h"

namespace {

// Built beside the test programs.
std::wstring StandInProgram() {
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe);
    folder.resize(folder.rfind(L'\\') + 1);
    return folder + L"browser_stand_in.exe";
}

}  // namespace

HelperProcess::HelperProcess(const std::wstring& folder, const std::wstring& exeName, const std::wstring& holdPath,
                             DWORD maxMs) {
    MakeFolders(folder);
    const std::wstring program = WithTrailingBackslash(folder) + exeName;
    if (!PathExists(program)) {
        EXPECT_TRUE(CopyFileW(StandInProgram().c_str(), program.c_str(), TRUE)) << ToUtf8(program);
    }
    const std::wstring readyName = UniqueName(L"Local\\BrivoHelperReady");
    const std::wstring releaseName = UniqueName(L"Local\\BrivoHelperRelease");
    ready_.reset(CreateEventW(nullptr, TRUE, FALSE, readyName.c_str()));
    release_.reset(CreateEventW(nullptr, TRUE, FALSE, releaseName.c_str()));
    if (!ready_ || !release_) return;
    std::wstring command = L"\"" + program + L"\" " + readyName + L" " + releaseName + L" " + std::to_wstring(maxMs);
    if (!holdPath.empty()) command += L" \"" + holdPath + L"\"";
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION info{};
    if (!CreateProcessW(program.c_str(), command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                        &startup, &info)) {
        ADD_FAILURE() << "cannot start " << ToUtf8(program) << ", error " << GetLastError();
        return;
    }
    CloseHandle(info.hThread);
    process_.reset(info.hProcess);
    id_ = info.dwProcessId;
    const HANDLE waits[] = {ready_.get(), process_.get()};
    started_ = WaitForMultipleObjects(2, waits, FALSE, 20000) == WAIT_OBJECT_0;
    EXPECT_TRUE(started_) << "the helper did not get ready: " << ToUtf8(command);
}

HelperProcess::~HelperProcess() { Release(); }

bool HelperProcess::Release() {
    if (!process_) return true;
    if (release_) SetEvent(release_.get());
    return EndsWithin(20000);
}

bool HelperProcess::EndsWithin(DWORD ms) const {
    return !process_ || WaitForSingleObject(process_.get(), ms) == WAIT_OBJECT_0;
}
