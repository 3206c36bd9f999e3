#include "platform/SystemInfo.h"

#include <shlobj.h>

#include "platform/ShellHelpers.h"

namespace {

// Both functions are looked up at run time: they are missing on the oldest
// 32-bit systems, which then simply count as 32-bit Windows.
bool DetectWin64() {
    if constexpr (Is64BitProcess) return true;
    HMODULE kernel = GetModuleHandleW(L"KERNEL32.DLL");
    if (!kernel) kernel = LoadLibraryW(L"KERNEL32.DLL");  // mapped in every process; never freed
    if (!kernel) return false;
    using IsWow64ProcessFn = BOOL(WINAPI*)(HANDLE, PBOOL);
    using GetNativeSystemInfoFn = void(WINAPI*)(LPSYSTEM_INFO);
    const auto isWow64Process =
        reinterpret_cast<IsWow64ProcessFn>(reinterpret_cast<void*>(GetProcAddress(kernel, "IsWow64Process")));
    const auto getNativeSystemInfo = reinterpret_cast<GetNativeSystemInfoFn>(
        reinterpret_cast<void*>(GetProcAddress(kernel, "GetNativeSystemInfo")));
    if (!isWow64Process || !getNativeSystemInfo) return false;
    BOOL wow64 = FALSE;
    if (!isWow64Process(GetCurrentProcess(), &wow64) || !wow64) return false;
    SYSTEM_INFO info = {};
    getNativeSystemInfo(&info);
    return info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_AMD64 ||
           info.wProcessorArchitecture == PROCESSOR_ARCHITECTURE_IA64;
}

std::wstring FolderWithBackslash(int folderId) {
    return WithTrailingBackslash(GetSpecialFolder(GetDesktopWindow(), folderId));
}

// The folder 32-bit programs are installed in, whichever build asks: the
// browsers' 32-bit installs are looked for there.
constexpr int kProgramFilesFolder = Is64BitProcess ? CSIDL_PROGRAM_FILESX86 : CSIDL_PROGRAM_FILES;

}  // namespace

bool IsWin64 = DetectWin64();
std::wstring ProgramFilesDir = FolderWithBackslash(kProgramFilesFolder);
std::wstring AppDataDir = FolderWithBackslash(CSIDL_APPDATA);
HWND DesktopWindow = GetDesktopWindow();

void InitPublicFuns() {
    IsWin64 = DetectWin64();
    DesktopWindow = GetDesktopWindow();
    ProgramFilesDir = FolderWithBackslash(kProgramFilesFolder);
    AppDataDir = FolderWithBackslash(CSIDL_APPDATA);
}

OsVersion ReportedOsVersion() {
    OSVERSIONINFOW info = {};
    info.dwOSVersionInfoSize = sizeof(info);
    if (!GetVersionExW(&info)) return {};
    return {info.dwMajorVersion, info.dwMinorVersion};
}

bool IsWindows8Version(OsVersion version) { return version.major == 6 && version.minor > 1; }

bool IsLegacyWow64Version(bool win64, OsVersion version) {
    return win64 && ((version.major == 6 && version.minor == 0) ||
                     (version.major == 5 && version.minor == 2));
}

bool IsWindows8() { return IsWindows8Version(ReportedOsVersion()); }

bool IsWindows8OrLaterVersion(OsVersion version) {
    return version.major > 6 || (version.major == 6 && version.minor >= 2);
}

bool IsWindows8OrLater() { return IsWindows8OrLaterVersion(ReportedOsVersion()); }

bool IsLegacyWow64() { return IsLegacyWow64Version(IsWin64, ReportedOsVersion()); }
