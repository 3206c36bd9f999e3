#pragma once
// Base addresses (scheme and host, no trailing "/") of the maker's web
// services. Each is built in and can be replaced for one run by an
// environment variable, so that tests and the demo reach a local server:
//   BRIVO_RATING_URL  the rating service
//   BRIVO_WEB_URL     the web site (update, news and download pages)
//   BRIVO_AD_URL      the advertisement server
// A variable that is missing or empty leaves the built-in address.
#include <string>

std::wstring RatingServiceBaseUrl();
std::wstring WebSiteBaseUrl();
std::wstring AdServerBaseUrl();
