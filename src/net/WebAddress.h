#pragma once
// Checks and encodings of the addresses the online services build and the
// addresses their servers send back.
#include <string>
#include <string_view>

// True for an "http://" or "https://" address (scheme in any letter case)
// with a host, and without blanks or control characters. Addresses a server
// sends (a download page, a message page, an advertisement's link) are only
// opened or shown when this holds: anything else handed to the shell could
// start a program or open a local file.
bool IsWebAddress(std::wstring_view url);

// The text's UTF-8 bytes with every byte other than the letters, digits and
// "-._~" written as "%XX" (upper-case hexadecimal): a query value that may
// hold blanks, "&", "=" or non-ASCII letters (a full path) stays one value.
std::string PercentEncode(std::wstring_view text);
