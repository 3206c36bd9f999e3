#include "net/MakerAddresses.h"

#include "net/ServiceAddresses.h"

std::wstring HomePageUrl() { return WebSiteBaseUrl() + L"/"; }
std::wstring DownloadPageUrl() { return WebSiteBaseUrl() + L"/download.html"; }
std::wstring OnlineHelpUrl() { return WebSiteBaseUrl() + L"/help/pluginmanager.html"; }
std::wstring ForumUrl() { return WebSiteBaseUrl() + L"/forum/"; }
std::wstring ContactPageUrl() { return WebSiteBaseUrl() + L"/contact.html"; }
std::wstring SupportMailAddress() { return L"support@brivosoft.com"; }
std::wstring WebSiteAddress() { return WebSiteBaseUrl(); }
std::wstring SocialNetworkPageUrl() { return L"https://www.facebook.com/brivosoft"; }
std::wstring ShortMessagePageUrl() { return L"https://twitter.com/brivosoft"; }
