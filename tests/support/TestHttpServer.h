#pragma once
// The loopback HTTP server of the tests (tools/testserver/serve.py), started
// by the Windows test itself and stopped when the object goes.
//
// How it is started (measured under Wine 8): CreateProcessW on the DOS name
// of /usr/bin/python3 makes Wine fork and exec the Linux program directly;
// the call succeeds without a Windows process handle, and the server's port
// file appears within about 0.1 s. Going through "start.exe /unix" works too
// but takes about 0.3 s and adds a process. As no handle comes back, the
// server is stopped with GET /__quit, and it ends by itself after two minutes
// without requests should the test die first. It binds 127.0.0.1 only.
#include <string>
#include <string_view>

class TestHttpServer {
public:
    TestHttpServer();
    TestHttpServer(const TestHttpServer&) = delete;
    TestHttpServer& operator=(const TestHttpServer&) = delete;
    ~TestHttpServer();

    bool Started() const { return port_ != 0; }
    // Why it did not start; empty when it did.
    const std::wstring& Failure() const { return failure_; }
    int Port() const { return port_; }
    // "http://127.0.0.1:<port>" followed by path.
    std::wstring Url(std::wstring_view path) const;
    // How often the server was asked for path (query ignored), read directly
    // through WinINet so that the code under test is not involved.
    int Hits(std::wstring_view path) const;

private:
    int port_ = 0;
    std::wstring failure_;
    std::wstring portFile_;
};

// A raw GET of the address, bypassing the cache; the body's bytes.
std::string RawHttpGet(const std::wstring& url);
