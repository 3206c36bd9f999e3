#include "net/WebFetch.h"

#include <optional>
#include <string_view>

#include "platform/AnsiText.h"
#include "gfx/PngPicture.h"
#include "net/UniqueInternetHandle.h"

namespace {

constexpr wchar_t kHeaderLine[] = L"Accept-Charset: utf-8\r\n";
constexpr DWORD kHeaderLength = 23;
static_assert(kHeaderLength == sizeof(kHeaderLine) / sizeof(wchar_t) - 1);
constexpr DWORD kFreshAndUncached = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE;
constexpr DWORD kPieceSize = 1025;
// The pages and feeds are a few kilobytes, the pictures banners and icons: a
// larger answer is dropped as soon as it passes its limit, before it can
// take the memory of the program.
constexpr size_t kLongestText = 4 * 1024 * 1024;
constexpr size_t kLargestPicture = 2 * 1024 * 1024;

struct Answer {
    std::string bytes;
    bool complete = false;  // every read succeeded up to the end
    bool tooLarge = false;  // passed the limit; bytes dropped
};

Answer Fetch(const std::wstring& url, DWORD flags, size_t limit) {
    Answer answer;
    const UniqueInternetHandle session(InternetOpenW(L"", INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return answer;
    // Declared after the session, so it is closed first.
    const UniqueInternetHandle address(
        InternetOpenUrlW(session.get(), url.c_str(), kHeaderLine, kHeaderLength, flags, 0));
    if (!address) return answer;
    char piece[kPieceSize];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(address.get(), piece, kPieceSize, &read)) return answer;
        if (read == 0) break;
        if (answer.bytes.size() + read > limit) {
            answer.bytes.clear();
            answer.bytes.shrink_to_fit();
            answer.tooLarge = true;
            return answer;
        }
        answer.bytes.append(piece, read);
    }
    answer.complete = true;
    return answer;
}

}  // namespace

std::wstring HttpGetText(const std::wstring& url) {
    const Answer answer = Fetch(url, kFreshAndUncached, kLongestText);
    if (!answer.complete) return {};
    std::string_view bytes = answer.bytes;
    bytes = bytes.substr(0, bytes.find('\0'));
    return AnsiToWide(bytes);
}

AddonPicture HttpGetPng(const std::wstring& url) {
    // A failed read ends the answer; what came before it is decoded.
    const Answer answer = Fetch(url, 0, kLargestPicture);
    if (answer.tooLarge || answer.bytes.empty()) return {};
    AddonPicture picture = DecodePngBytes(answer.bytes);
    if (!picture) throw PictureDecodeError("the answer is not a PNG picture");
    return picture;
}
