#pragma once
// The loopback HTTP server of the tests (tools/testserver/serve.py), started
// by the Windows test itself and stopped when the object goes.
//
// See LoopbackScript for how it is started and stopped. It binds 127.0.0.1 only.
#include <string>
#include <string_view>

#include "support/LoopbackScript.h"

class TestHttpServer {
public:
    TestHttpServer();

    bool Started() const { return server_.Port() != 0; }
    // Why it did not start; empty when it did.
    const std::wstring& Failure() const { return server_.Failure(); }
    int Port() const { return server_.Port(); }
    // "http://127.0.0.1:<port>" followed by path.
    std::wstring Url(std::wstring_view path) const;
    // How often the server was asked for path (query ignored), read directly
    // through WinINet so that the code under test is not involved.
    int Hits(std::wstring_view path) const;

private:
    LoopbackScript server_;
};
