#pragma once
// The loopback stand-in of the rating service (tools/ratingservice/serve.py),
// started by a Windows test or benchmark and stopped when the object goes.
// See LoopbackScript for how it is started and stopped.
#include <string>
#include <string_view>

#include "support/LoopbackScript.h"

class TestRatingService {
public:
    // extraArguments go to the script as they are (such as L"--page-size 3").
    explicit TestRatingService(const std::wstring& extraArguments = L"");

    bool Started() const { return service_.Port() != 0; }
    const std::wstring& Failure() const { return service_.Failure(); }
    // "http://127.0.0.1:<port>", the value for BRIVO_RATING_URL.
    std::wstring BaseUrl() const { return service_.BaseUrl(); }

    // The control requests of the script (read through WinINet directly, so
    // that the code under test is not involved); query is percent-encoded.
    std::string Control(std::wstring_view pathAndQuery) const;
    int Hits(std::wstring_view operation) const;
    // The last request of the operation: its body as sent, its headers, or
    // its HTTP version ("HTTP/1.0").
    std::string LastBody(std::wstring_view operation) const;
    std::string LastHeaders(std::wstring_view operation) const;
    std::string LastVersion(std::wstring_view operation) const;
    void Reset() const;
    // The next count replies of the operation (L"*" any) misbehave in mode
    // (garbage, code0, json, slow, redirect, error500, bom, trailing);
    // count 0 means every reply until the next Reset.
    void Misbehave(std::wstring_view operation, std::wstring_view mode, int count = 1) const;
    // The next count replies of the operation are exactly these bytes, sent
    // after delayMs.
    void Canned(std::wstring_view operation, std::string_view body, int count = 1, int delayMs = 0) const;
    // Adds an add-on with reviews of these scores (comma-separated); its id
    // at the service.
    int AddPlug(int browserId, std::wstring_view plugId, std::wstring_view scores,
                std::wstring_view likes = L"") const;

private:
    LoopbackScript service_;
};

// Percent-encoding of bytes for a query (every byte but letters and digits).
std::wstring QueryEncode(std::string_view bytes);
