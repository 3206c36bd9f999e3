#include "net/rating/RateHttp.h"

namespace {

constexpr wchar_t kUserAgent[] = L"Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0; Maxthon)";
constexpr wchar_t kFormHeader[] = L"Content-Type: application/x-www-form-urlencoded\r\n";
// Every request on its own connection, answered by the service itself.
constexpr DWORD kRequestFlags = INTERNET_FLAG_NO_AUTO_REDIRECT | INTERNET_FLAG_RELOAD |
                                INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_PRAGMA_NOCACHE |
                                INTERNET_FLAG_NO_COOKIES | INTERNET_FLAG_NO_UI;

void SetTimeouts(HINTERNET handle) {
    DWORD timeout = TRateHttp::kReadTimeoutMs;
    InternetSetOptionW(handle, INTERNET_OPTION_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
    InternetSetOptionW(handle, INTERNET_OPTION_DATA_RECEIVE_TIMEOUT, &timeout, sizeof(timeout));
}

struct UrlParts {
    std::wstring host;
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    std::wstring pathAndQuery;
};

bool SplitUrl(const std::wstring& url, UrlParts& parts) {
    URL_COMPONENTSW components{};
    components.dwStructSize = sizeof(components);
    components.dwHostNameLength = 1;
    components.dwUrlPathLength = 1;
    components.dwExtraInfoLength = 1;
    if (!InternetCrackUrlW(url.c_str(), static_cast<DWORD>(url.size()), 0, &components)) return false;
    if (components.nScheme != INTERNET_SCHEME_HTTP || !components.lpszHostName) return false;
    parts.host.assign(components.lpszHostName, components.dwHostNameLength);
    parts.port = components.nPort;
    if (components.lpszUrlPath) parts.pathAndQuery.assign(components.lpszUrlPath, components.dwUrlPathLength);
    if (components.lpszExtraInfo) parts.pathAndQuery.append(components.lpszExtraInfo, components.dwExtraInfoLength);
    if (parts.pathAndQuery.empty()) parts.pathAndQuery = L"/";
    return !parts.host.empty();
}

}  // namespace

TRateHttp::TRateHttp() : session_(InternetOpenW(kUserAgent, INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0)) {
    if (session_) SetTimeouts(session_.get());
}

bool TRateHttp::Post(const std::wstring& url, const std::string& form, std::string& body) {
    return Send(L"POST", url, &form, body);
}

bool TRateHttp::Get(const std::wstring& url, std::string& body) { return Send(L"GET", url, nullptr, body); }

bool TRateHttp::Send(const wchar_t* verb, const std::wstring& url, const std::string* form, std::string& body) {
    body.clear();
    UrlParts parts;
    if (!session_ || !SplitUrl(url, parts)) return false;
    const UniqueInternetHandle connection(InternetConnectW(session_.get(), parts.host.c_str(), parts.port, nullptr,
                                                           nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return false;
    // Declared after the connection, so it is closed first.
    const UniqueInternetHandle request(HttpOpenRequestW(connection.get(), verb, parts.pathAndQuery.c_str(),
                                                        L"HTTP/1.0", nullptr, nullptr, kRequestFlags, 0));
    if (!request) return false;
    SetTimeouts(request.get());
    const wchar_t* headers = form ? kFormHeader : nullptr;
    const DWORD headersLength = form ? static_cast<DWORD>(-1) : 0;
    void* data = form ? const_cast<char*>(form->data()) : nullptr;
    const DWORD dataLength = form ? static_cast<DWORD>(form->size()) : 0;
    if (!HttpSendRequestW(request.get(), headers, headersLength, data, dataLength)) return false;

    DWORD status = 0;
    DWORD size = sizeof(status);
    if (!HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size, nullptr))
        return false;
    char piece[8192];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.get(), piece, sizeof(piece), &read)) {
            body.clear();
            return false;
        }
        if (read == 0) break;
        body.append(piece, read);
    }
    // The body of a failed request is kept too: it costs nothing and helps
    // when looking into a fault.
    return status >= 200 && status < 300;
}
