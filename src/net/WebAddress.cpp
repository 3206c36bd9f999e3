#include "net/WebAddress.h"

#include "platform/Utf.h"

namespace {

bool StartsCaseless(std::wstring_view text, std::wstring_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        wchar_t c = text[i];
        if (c >= L'A' && c <= L'Z') c = static_cast<wchar_t>(c - L'A' + L'a');
        if (c != prefix[i]) return false;
    }
    return true;
}

bool IsUnreserved(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-' || c == '.' ||
           c == '_' || c == '~';
}

}  // namespace

bool IsWebAddress(std::wstring_view url) {
    size_t rest = 0;
    if (StartsCaseless(url, L"http://"))
        rest = 7;
    else if (StartsCaseless(url, L"https://"))
        rest = 8;
    else
        return false;
    for (wchar_t c : url)
        if (c <= L' ' || c == 0x7F) return false;
    // A host: something before the path, and no "\" that Windows would read
    // as a separator of a local or network path.
    if (rest >= url.size() || url[rest] == L'/' || url[rest] == L'\\') return false;
    return url.find(L'\\') == std::wstring_view::npos;
}

std::string PercentEncode(std::wstring_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : ToUtf8(text)) {
        if (IsUnreserved(c)) {
            out.push_back(static_cast<char>(c));
        } else {
            out.push_back('%');
            out.push_back(kHex[c >> 4]);
            out.push_back(kHex[c & 15]);
        }
    }
    return out;
}
