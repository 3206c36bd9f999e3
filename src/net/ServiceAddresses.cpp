#include "net/ServiceAddresses.h"

#include <windows.h>

namespace {

constexpr wchar_t kRatingService[] = L"http://rate.brivosoft.com";
constexpr wchar_t kWebSite[] = L"http://www.brivosoft.com";
constexpr wchar_t kAdServer[] = L"http://ad.brivosoft.com";

std::wstring FromEnvironment(const wchar_t* name, const wchar_t* builtIn) {
    std::wstring value(256, L'\0');
    DWORD length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    if (length >= value.size()) {
        value.resize(length);
        length = GetEnvironmentVariableW(name, value.data(), static_cast<DWORD>(value.size()));
    }
    if (length == 0 || length >= value.size()) return builtIn;
    value.resize(length);
    // The paths appended to a base address start with "/".
    while (!value.empty() && value.back() == L'/') value.pop_back();
    return value.empty() ? std::wstring(builtIn) : value;
}

}  // namespace

std::wstring RatingServiceBaseUrl() { return FromEnvironment(L"BRIVO_RATING_URL", kRatingService); }
std::wstring WebSiteBaseUrl() { return FromEnvironment(L"BRIVO_WEB_URL", kWebSite); }
std::wstring AdServerBaseUrl() { return FromEnvironment(L"BRIVO_AD_URL", kAdServer); }
