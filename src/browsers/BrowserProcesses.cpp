#include "browsers/BrowserProcesses.h"

#include <tlhelp32.h>

#include <cwchar>
#include <string_view>

#include "platform/UniqueHandles.h"

namespace {

// The rights the browsers' processes are opened with (PROCESS_ALL_ACCESS as
// Windows before Vista defines it, which every version grants).
constexpr DWORD kAllProcessAccess = 0x1F0FFF;

// Calls visit(entry) for each process of a fresh snapshot until it answers false.
template <class Visit>
void WalkProcesses(Visit visit) {
    const UniqueHandle snapshot = AdoptHandle(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot) return;
    PROCESSENTRY32W entry{};
    entry.dwSize = sizeof(entry);
    for (BOOL more = Process32FirstW(snapshot.get(), &entry); more; more = Process32NextW(snapshot.get(), &entry)) {
        if (!visit(entry)) return;
    }
}

bool HasName(const PROCESSENTRY32W& entry, const std::wstring& exeName) {
    // At most MAX_PATH characters, whether or not a zero ends them.
    return exeName == std::wstring_view(entry.szExeFile, wcsnlen(entry.szExeFile, MAX_PATH));
}

}  // namespace

DWORD FindProcessByName(const std::wstring& exeName) {
    DWORD found = 0;
    WalkProcesses([&](const PROCESSENTRY32W& entry) {
        if (!HasName(entry, exeName)) return true;
        found = entry.th32ProcessID;
        return false;
    });
    return found;
}

void KillProcessesByName(const std::wstring& exeName) {
    WalkProcesses([&](const PROCESSENTRY32W& entry) {
        if (!HasName(entry, exeName)) return true;
        const UniqueHandle process(OpenProcess(kAllProcessAccess, FALSE, entry.th32ProcessID));
        if (!process) return true;
        DWORD exitCode = STILL_ACTIVE;
        GetExitCodeProcess(process.get(), &exitCode);
        TerminateProcess(process.get(), exitCode);
        return true;
    });
}
