#include "support/RatingService.h"

#include <windows.h>
#include <wininet.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

namespace {

using ToUnixName = char*(CDECL*)(const wchar_t*);
using ToDosName = wchar_t*(CDECL*)(const char*);

std::string UnixName(const std::wstring& windowsPath) {
    const auto convert = reinterpret_cast<ToUnixName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_unix_file_name")));
    if (!convert) return {};
    char* name = convert(windowsPath.c_str());
    if (!name) return {};
    std::string result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

std::wstring DosName(const char* unixPath) {
    const auto convert = reinterpret_cast<ToDosName>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
    if (!convert) return {};
    wchar_t* name = convert(unixPath);
    if (!name) return {};
    std::wstring result(name);
    HeapFree(GetProcessHeap(), 0, name);
    return result;
}

std::wstring Widen(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

// The script beside the sources: known to the tests; benchmarks look for it
// in the folders above their own.
std::wstring ScriptPath() {
    const std::wstring relative = L"\\tools\\ratingservice\\serve.py";
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

std::string Get(const std::wstring& url) {
    const Internet session(InternetOpenW(L"brivo-test", INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0));
    const Internet address(InternetOpenUrlW(session.get(), url.c_str(), nullptr, 0,
                                            INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE, 0));
    std::string body;
    char piece[4096];
    DWORD read = 0;
    while (address && InternetReadFile(address.get(), piece, sizeof(piece), &read) && read) body.append(piece, read);
    return body;
}

std::wstring Utf8Query(std::wstring_view text) {
    std::string utf8(static_cast<size_t>(
                         WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                             nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                        static_cast<int>(utf8.size()), nullptr, nullptr);
    return QueryEncode(utf8);
}

}  // namespace

std::wstring QueryEncode(std::string_view bytes) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring encoded;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            encoded += static_cast<wchar_t>(c);
        } else {
            encoded += L'%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 15];
        }
    }
    return encoded;
}

TestRatingService::TestRatingService(const std::wstring& extraArguments) {
    const std::wstring python = DosName("/usr/bin/python3");
    const std::wstring script = ScriptPath();
    const std::string scriptUnix = script.empty() ? std::string() : UnixName(script);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    static int serial = 0;
    portFile_ = std::wstring(temp) + L"brivo-rating-service-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++serial) + L".port";
    DeleteFileW(portFile_.c_str());
    const std::string portFileUnix = UnixName(portFile_);
    if (python.empty() || scriptUnix.empty() || portFileUnix.empty()) {
        failure_ = L"not running under Wine, or tools\\ratingservice\\serve.py not found";
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
    if (port_ == 0) failure_ = L"the rating service wrote no port within 10 s";
}

TestRatingService::~TestRatingService() {
    if (port_ == 0) return;
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (attempt % 10 == 0) Control(L"/__quit");
        if (!Exists(portFile_)) return;
        Sleep(100);
    }
    fprintf(stderr, "the rating service on port %d did not stop\n", port_);
}

std::wstring TestRatingService::BaseUrl() const { return L"http://127.0.0.1:" + std::to_wstring(port_); }

std::string TestRatingService::Control(std::wstring_view pathAndQuery) const {
    return Get(BaseUrl() + std::wstring(pathAndQuery));
}

int TestRatingService::Hits(std::wstring_view operation) const {
    return std::atoi(Control(L"/__hits?op=" + Utf8Query(operation)).c_str());
}

std::string TestRatingService::LastBody(std::wstring_view operation) const {
    return Control(L"/__last?part=body&op=" + Utf8Query(operation));
}

std::string TestRatingService::LastHeaders(std::wstring_view operation) const {
    return Control(L"/__last?part=headers&op=" + Utf8Query(operation));
}

std::string TestRatingService::LastVersion(std::wstring_view operation) const {
    return Control(L"/__last?part=version&op=" + Utf8Query(operation));
}

void TestRatingService::Reset() const { Control(L"/__reset"); }

void TestRatingService::Misbehave(std::wstring_view operation, std::wstring_view mode, int count) const {
    Control(L"/__misbehave?op=" + Utf8Query(operation) + L"&mode=" + Utf8Query(mode) +
            L"&count=" + std::to_wstring(count));
}

void TestRatingService::Canned(std::wstring_view operation, std::string_view body, int count, int delayMs) const {
    Control(L"/__canned?op=" + Utf8Query(operation) + L"&body=" + QueryEncode(body) +
            L"&count=" + std::to_wstring(count) + L"&ms=" + std::to_wstring(delayMs));
}

int TestRatingService::AddPlug(int browserId, std::wstring_view plugId, std::wstring_view scores,
                               std::wstring_view likes) const {
    return std::atoi(Control(L"/__plug?browser_id=" + std::to_wstring(browserId) + L"&plug_id=" +
                             Utf8Query(plugId) + L"&scores=" + Utf8Query(scores) + L"&likes=" + Utf8Query(likes))
                         .c_str());
}
