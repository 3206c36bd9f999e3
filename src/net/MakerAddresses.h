#pragma once
// The maker's own pages the program opens: the home page, the download
// page named in the mail a user sends to friends, the online help, the
// forum and the contact page of the main menu, the support mail address and
// web address of the about box, and the maker's pages on the two social
// services. The pages on the maker's web site follow its base address
// (BRIVO_WEB_URL replaces it for one run).
#include <string>

std::wstring HomePageUrl();
std::wstring DownloadPageUrl();
std::wstring OnlineHelpUrl();
std::wstring ForumUrl();
std::wstring ContactPageUrl();
// The about box shows these two as they are; the mail address is opened
// with "mailto:" before it.
std::wstring SupportMailAddress();
std::wstring WebSiteAddress();
std::wstring SocialNetworkPageUrl();
std::wstring ShortMessagePageUrl();
