#include "net/rating/RateForm.h"

#include "platform/Utf.h"

namespace {

bool KeptAsItIs(unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '*' || c == '-' ||
           c == '.' || c == '_';
}

}  // namespace

std::string EncodeFormText(std::wstring_view text) {
    static constexpr char kHex[] = "0123456789ABCDEF";
    const std::string utf8 = ToUtf8(text);
    std::string encoded;
    encoded.reserve(utf8.size() * 3);
    for (const char ch : utf8) {
        const auto c = static_cast<unsigned char>(ch);
        if (KeptAsItIs(c)) {
            encoded += static_cast<char>(c);
        } else if (c == ' ') {
            encoded += '+';
        } else {
            encoded += '%';
            encoded += kHex[c >> 4];
            encoded += kHex[c & 0x0F];
        }
    }
    return encoded;
}

std::string EncodeFormBody(const std::vector<std::wstring>& fields) {
    std::string body;
    bool first = true;
    for (const std::wstring& field : fields) {
        if (!first) body += '&';
        first = false;
        const size_t equals = field.find(L'=');
        if (equals == std::wstring::npos) {
            body += EncodeFormText(field);
            continue;
        }
        const std::wstring_view whole(field);
        body += EncodeFormText(whole.substr(0, equals));
        body += '=';
        body += EncodeFormText(whole.substr(equals + 1));
    }
    return body;
}

std::wstring PlugIdsJson(const std::vector<std::wstring>& ids) {
    if (ids.empty()) return L"[]";
    std::wstring json = L"[";
    for (const std::wstring& id : ids) {
        json += L'"';
        json += id;
        json += L"\",";
    }
    json.back() = L']';
    return json;
}
