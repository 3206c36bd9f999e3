#pragma once
// The program's one key holder, made on first use and kept until the process
// ends. It fetches keys with get_captcha at the rating service address.
#include <optional>
#include <string>

#include "net/rating/RateSession.h"

TRateSession& RateSession();

// The address of a service operation: base address, "/plugin/index.php?to="
// and the operation's name.
std::wstring RateOperationUrl(const wchar_t* operation);

// One get_captcha request on a thread object that is never started; the key
// of a reply with code 13.
std::optional<std::wstring> FetchRateKey();
