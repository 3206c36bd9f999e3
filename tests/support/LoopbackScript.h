#pragma once
// A Python server script of the tests, started on a free port of 127.0.0.1
// by the Windows test (or benchmark) itself and stopped when the object goes.
//
// How it is started (measured under Wine 8): CreateProcessW on the DOS name
// of /usr/bin/python3 makes Wine fork and exec the Linux program directly;
// the call succeeds without a Windows process handle, and the script's port
// file appears within about 0.1 s. Going through "start.exe /unix" works too
// but takes about 0.3 s and adds a process. As no handle comes back, the
// script is stopped with GET /__quit, and it ends by itself after two
// minutes without requests should the test die first.
#include <string>

class LoopbackScript {
public:
    // script: its path below the source folder, e.g. L"\\tools\\testserver\\serve.py".
    // extraArguments go to the script as they are.
    LoopbackScript(const std::wstring& script, const std::wstring& extraArguments);
    LoopbackScript(const LoopbackScript&) = delete;
    LoopbackScript& operator=(const LoopbackScript&) = delete;
    ~LoopbackScript();

    int Port() const { return port_; }
    // Why it did not start; empty when it did.
    const std::wstring& Failure() const { return failure_; }
    // "http://127.0.0.1:<port>".
    std::wstring BaseUrl() const;

private:
    int port_ = 0;
    std::wstring failure_;
    std::wstring portFile_;
};

// A raw GET of the address through WinINet, bypassing the cache and the code
// under test; the body's bytes.
std::string RawHttpGet(const std::wstring& url);
