#pragma once
// The HTTP client of one rating service worker: POST (or GET) requests as
// HTTP/1.0, a new connection for each, a read time-out of 5000 ms, the fixed
// User-Agent and, on POST, the form Content-Type. Redirects are not
// followed: like any status other than 2xx they make the request fail. The
// body comes back as raw bytes.
#include <string>
#include <vector>

#include "net/UniqueInternetHandle.h"

class TRateHttp {
public:
    static constexpr unsigned kReadTimeoutMs = 5000;

    TRateHttp();

    // True when a reply with a success status arrived and its body was read
    // whole into body (emptied first in any case).
    bool Post(const std::wstring& url, const std::string& form, std::string& body);
    bool Get(const std::wstring& url, std::string& body);

private:
    bool Send(const wchar_t* verb, const std::wstring& url, const std::string* form, std::string& body);

    UniqueInternetHandle session_;
};
