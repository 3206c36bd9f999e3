#include "support/TestHttpServer.h"

#include <cstdlib>

TestHttpServer::TestHttpServer() : server_(L"\\tools\\testserver\\serve.py", L"") {}

std::wstring TestHttpServer::Url(std::wstring_view path) const { return server_.BaseUrl() + std::wstring(path); }

int TestHttpServer::Hits(std::wstring_view path) const {
    return std::atoi(RawHttpGet(Url(L"/__hits?path=") + std::wstring(path)).c_str());
}
