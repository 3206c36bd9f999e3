#include "support/RatingService.h"

#include <windows.h>

#include <cstdlib>

namespace {

std::wstring Utf8Query(std::wstring_view text) {
    std::string utf8(static_cast<size_t>(
                         WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), nullptr, 0,
                                             nullptr, nullptr)),
                     '\0');
    WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(),
                        static_cast<int>(utf8.size()), nullptr, nullptr);
    return QueryEncode(utf8);
}

}  // namespace

std::wstring QueryEncode(std::string_view bytes) {
    static constexpr wchar_t kHex[] = L"0123456789ABCDEF";
    std::wstring encoded;
    for (const char ch : bytes) {
        const auto c = static_cast<unsigned char>(ch);
        if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9')) {
            encoded += static_cast<wchar_t>(c);
        } else {
            encoded += L'%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 15];
        }
    }
    return encoded;
}

TestRatingService::TestRatingService(const std::wstring& extraArguments)
    : service_(L"\\tools\\ratingservice\\serve.py", extraArguments) {}

std::string TestRatingService::Control(std::wstring_view pathAndQuery) const {
    return RawHttpGet(BaseUrl() + std::wstring(pathAndQuery));
}

int TestRatingService::Hits(std::wstring_view operation) const {
    return std::atoi(Control(L"/__hits?op=" + Utf8Query(operation)).c_str());
}

std::string TestRatingService::LastBody(std::wstring_view operation) const {
    return Control(L"/__last?part=body&op=" + Utf8Query(operation));
}

std::string TestRatingService::LastHeaders(std::wstring_view operation) const {
    return Control(L"/__last?part=headers&op=" + Utf8Query(operation));
}

std::string TestRatingService::LastVersion(std::wstring_view operation) const {
    return Control(L"/__last?part=version&op=" + Utf8Query(operation));
}

void TestRatingService::Reset() const { Control(L"/__reset"); }

void TestRatingService::Misbehave(std::wstring_view operation, std::wstring_view mode, int count) const {
    Control(L"/__misbehave?op=" + Utf8Query(operation) + L"&mode=" + Utf8Query(mode) +
            L"&count=" + std::to_wstring(count));
}

void TestRatingService::Canned(std::wstring_view operation, std::string_view body, int count, int delayMs) const {
    Control(L"/__canned?op=" + Utf8Query(operation) + L"&body=" + QueryEncode(body) +
            L"&count=" + std::to_wstring(count) + L"&ms=" + std::to_wstring(delayMs));
}

int TestRatingService::AddPlug(int browserId, std::wstring_view plugId, std::wstring_view scores,
                               std::wstring_view likes) const {
    return std::atoi(Control(L"/__plug?browser_id=" + std::to_wstring(browserId) + L"&plug_id=" +
                             Utf8Query(plugId) + L"&scores=" + Utf8Query(scores) + L"&likes=" + Utf8Query(likes))
                         .c_str());
}
