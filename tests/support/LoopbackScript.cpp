#include "support/LoopbackScript.h"

#include <windows.h>
#include <wininet.h>

#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

// Wine's own path conversions (kernel32 exports on Wine only).
using ToUnixName = char*(CDECL*)(const wchar_t*);
using ToDosName = wchar_t*(CDECL*)(const char*);

template <typename Function>
Function WineExport(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), name)));
}

std::string UnixName(const std::wstring& windowsPath) {
    const auto convert = WineExport<ToUnixName>("wine_get_unix_file_name");
    char* name = convert ? convert(windowsPath.c_str()) : nullptr;
    if (!name) return {};
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

std::wstring DosName(const char* unixPath) {
    const auto convert = WineExport<ToDosName>("wine_get_dos_file_name");
    wchar_t* name = convert ? convert(unixPath) : nullptr;
    if (!name) return {};
    std::wstring result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The script beside the sources: known to the tests; benchmarks, which are
// built without the source folder, look for it in the folders above their own.
std::wstring ScriptPath(const std::wstring& relative) {
#ifdef BRIVO_SOURCE_DIR
    if (Exists(std::wstring(BRIVO_SOURCE_DIR) + relative)) return std::wstring(BRIVO_SOURCE_DIR) + relative;
#endif
    wchar_t exe[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, exe, MAX_PATH);
    std::wstring folder(exe);
    for (size_t slash = folder.rfind(L'\\'); slash != std::wstring::npos; slash = folder.rfind(L'\\')) {
        folder.resize(slash);
        if (Exists(folder + relative)) return folder + relative;
    }
    return {};
}

int ReadPort(const std::wstring& path) {
    const HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE) return 0;
    char text[16] = {};
    DWORD read = 0;
    ReadFile(file, text, sizeof(text) - 1, &read, nullptr);
    CloseHandle(file);
    return std::atoi(text);
}

struct InternetCloser {
    void operator()(HINTERNET h) const { if (h) InternetCloseHandle(h); }
};
using Internet = std::unique_ptr<void, InternetCloser>;

}  // namespace

std::string RawHttpGet(const std::wstring& url) {
    const Internet session(InternetOpenW(L"brivo-test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    const Internet address(InternetOpenUrlW(session.get(), url.c_str(), nullptr, 0,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    std::string body;
    char piece[4096];
    DWORD read = 0;
    while (address && InternetReadFile(address.get(), piece, sizeof(piece), &read) && read) body.append(piece, read);
    return body;
}

LoopbackScript::LoopbackScript(const std::wstring& script, const std::wstring& extraArguments) {
    const std::wstring python = DosName("/usr/bin/python3");
    const std::wstring scriptPath = ScriptPath(script);
    const std::string scriptUnix = scriptPath.empty() ? std::string() : UnixName(scriptPath);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static std::atomic<int> serial{0};
    portFile_ = std::wstring(temp) + L"brivo-loopback-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++serial) + L".port";
    DeleteFileW(portFile_.c_str());
    const std::string portFileUnix = UnixName(portFile_);
    if (python.empty() || scriptUnix.empty() || portFileUnix.empty()) {
        failure_ = L"not running under Wine, or " + script + L" not found";
        return;
    }
    std::wstring command = L"\"" + python + L"\" \"" + Widen(scriptUnix) + L"\" --port-file \"" +
                           Widen(portFileUnix) + L"\" --idle-timeout 120 " + extraArguments;
    STARTUPINFOW startup{};
    startup.cb = sizeof(startup);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(python.c_str(), command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                        &process)) {
        failure_ = L"CreateProcess failed with error " + std::to_wstring(GetLastError());
        return;
    }
    if (process.hThread) CloseHandle(process.hThread);
    if (process.hProcess) CloseHandle(process.hProcess);
    for (int waited = 0; waited < 10000 && port_ == 0; waited += 20) {
        port_ = ReadPort(portFile_);
        if (port_ == 0) Sleep(20);
    }
    if (port_ == 0) failure_ = script + L" wrote no port within 10 s";
}

LoopbackScript::~LoopbackScript() {
    if (port_ == 0) return;
    // The script removes its port file as it ends; until then the request
    // is repeated, as a lost one would keep the test's output pipe open
    // (and ctest waiting) until the script's idle time-out.
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (attempt % 10 == 0) RawHttpGet(BaseUrl() + L"/__quit");
        if (!Exists(portFile_)) return;
        Sleep(100);
    }
    fprintf(stderr, "the loopback server on port %d did not stop\n", port_);
}

std::wstring LoopbackScript::BaseUrl() const { return L"http://127.0.0.1:" + std::to_wstring(port_); }
