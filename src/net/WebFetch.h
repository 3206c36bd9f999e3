#pragma once
// Simple GET requests through WinINet for the update, news and
// advertisement pages and for pictures. Each call opens and closes its own
// session with the system's proxy settings and an empty agent name, sends
// the line "Accept-Charset: utf-8" and follows redirects. The HTTP status is
// not looked at: an error page's body is the answer like any other. An
// answer larger than its limit (4 MB for text, 2 MB for a picture) is
// dropped while it arrives, as if nothing had come.
#include <stdexcept>
#include <string>

#include "gfx/AddonPicture.h"

// Raised by HttpGetPng for an answer that is not a PNG picture.
class PictureDecodeError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The page's bytes up to the first zero byte, decoded in the system's ANSI
// code page; always fetched from the server and never written to the local
// cache. Empty when the address cannot be opened or a read fails.
std::wstring HttpGetText(const std::wstring& url);

// The picture at url, which the local cache may answer. None for an empty
// answer or one that cannot be opened; PictureDecodeError for bytes that are
// not a PNG (an HTML error page, a JPEG).
AddonPicture HttpGetPng(const std::wstring& url);
