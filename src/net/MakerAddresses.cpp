#include "net/MakerAddresses.h"

#include "net/ServiceAddresses.h"

std::wstring HomePageUrl() { return WebSiteBaseUrl() + L"/"; }
std::wstring DownloadPageUrl() { return WebSiteBaseUrl() + L"/download.html"; }
std::wstring SocialNetworkPageUrl() { return L"https://www.facebook.com/brivosoft"; }
std::wstring ShortMessagePageUrl() { return L"https://twitter.com/brivosoft"; }
