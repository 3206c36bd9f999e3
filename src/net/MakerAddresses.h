#pragma once
// The maker's own pages the main window opens: the home page, the download
// page named in the mail a user sends to friends, and the maker's pages on
// the two social services. Home and download pages follow the web site's
// base address (BRIVO_WEB_URL replaces it for one run).
#include <string>

std::wstring HomePageUrl();
std::wstring DownloadPageUrl();
std::wstring SocialNetworkPageUrl();
std::wstring ShortMessagePageUrl();
