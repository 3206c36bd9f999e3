#include "net/ServiceAddresses.h"

#include <windows.h>
#include <gtest/gtest.h>

namespace {

// Sets one variable for a test and takes it away again.
class ServiceVariable {
public:
    ServiceVariable(const wchar_t* name, const wchar_t* value) : name_(name) {
        SetEnvironmentVariableW(name, value);
    }
    ~ServiceVariable() { SetEnvironmentVariableW(name_, nullptr); }

private:
    const wchar_t* name_;
};

TEST(ServiceAddresses, EachServiceHasABuiltInPlainHttpAddress) {
    for (const std::wstring& url : {RatingServiceBaseUrl(), WebSiteBaseUrl(), AdServerBaseUrl()}) {
        EXPECT_EQ(url.rfind(L"http://", 0), 0u) << url;
        EXPECT_NE(url.back(), L'/') << url;
    }
    // The advertisement server is a host of its own.
    EXPECT_NE(AdServerBaseUrl(), WebSiteBaseUrl());
}

TEST(ServiceAddresses, OneVariablePerServiceReplacesItsAddressOnly) {
    const std::wstring builtInWeb = WebSiteBaseUrl();
    const std::wstring builtInAd = AdServerBaseUrl();
    {
        ServiceVariable rating(L"BRIVO_RATING_URL", L"http://127.0.0.1:8123");
        EXPECT_EQ(RatingServiceBaseUrl(), L"http://127.0.0.1:8123");
        EXPECT_EQ(WebSiteBaseUrl(), builtInWeb);
        EXPECT_EQ(AdServerBaseUrl(), builtInAd);
    }
    {
        ServiceVariable web(L"BRIVO_WEB_URL", L"http://127.0.0.1:8124/");
        EXPECT_EQ(WebSiteBaseUrl(), L"http://127.0.0.1:8124");
    }
    {
        ServiceVariable ad(L"BRIVO_AD_URL", L"http://127.0.0.1:8125//");
        EXPECT_EQ(AdServerBaseUrl(), L"http://127.0.0.1:8125");
    }
    EXPECT_EQ(WebSiteBaseUrl(), builtInWeb);
}

TEST(ServiceAddresses, AnEmptyOrLongVariableIsHandled) {
    const std::wstring builtIn = RatingServiceBaseUrl();
    {
        ServiceVariable empty(L"BRIVO_RATING_URL", L"");
        EXPECT_EQ(RatingServiceBaseUrl(), builtIn);
    }
    const std::wstring longUrl = L"http://127.0.0.1:8126/" + std::wstring(600, L'a');
    ServiceVariable longer(L"BRIVO_RATING_URL", longUrl.c_str());
    EXPECT_EQ(RatingServiceBaseUrl(), longUrl);
}

}  // namespace
