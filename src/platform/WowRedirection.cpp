#include "platform/WowRedirection.h"

#include <windows.h>
#include <shlwapi.h>

#include "platform/SystemInfo.h"

namespace {

// The value handed back by the switch-off, kept for the switch-on that
// follows it on the same thread.
thread_local PVOID redirectionValue = nullptr;
thread_local int switchedOffDepth = 0;
thread_local bool switchedOff = false;

template <class Fn>
Fn Kernel32Function(const char* name) {
    HMODULE kernel = GetModuleHandleW(L"kernel32");
    return kernel ? reinterpret_cast<Fn>(reinterpret_cast<void*>(GetProcAddress(kernel, name))) : nullptr;
}

// Only a 32-bit process on 64-bit Windows is redirected.
bool IsRedirected() { return IsWin64 && !Is64BitProcess; }

bool ExistsAsSeen(const std::wstring& path) { return PathFileExistsW(path.c_str()) != FALSE; }

bool ExistsInAnyView(const std::wstring& path) {
    if (ExistsAsSeen(path)) return true;
    if (!IsRedirected()) return false;
    const WowRedirectionOff off;
    return ExistsAsSeen(path);
}

}  // namespace

void DisableWowRedirection() {
    if (!IsRedirected()) return;
    if (switchedOffDepth++ > 0) return;
    using DisableFn = BOOL(WINAPI*)(PVOID*);
    const auto disable = Kernel32Function<DisableFn>("Wow64DisableWow64FsRedirection");
    switchedOff = disable && disable(&redirectionValue);
}

void RevertWowRedirection() {
    if (!IsRedirected() || switchedOffDepth == 0) return;
    if (--switchedOffDepth > 0) return;
    if (!switchedOff) return;
    using RevertFn = BOOL(WINAPI*)(PVOID);
    const auto revert = Kernel32Function<RevertFn>("Wow64RevertWow64FsRedirection");
    if (revert) revert(redirectionValue);
    switchedOff = false;
}

bool PathExistsAnyView(const std::wstring& path) {
    if (path.empty()) return false;  // would otherwise probe ".exe" and so on in the current folder
    if (ExistsInAnyView(path)) return true;
    if (*PathFindExtensionW(path.c_str()) != L'\0') return false;
    for (const wchar_t* extension : {L".exe", L".com", L".bat", L".cmd", L".dll"})
        if (ExistsInAnyView(path + extension)) return true;
    return false;
}
