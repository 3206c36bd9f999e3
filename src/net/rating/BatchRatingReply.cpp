#include "net/rating/BatchRatingReply.h"

#include <unordered_map>

#include "net/rating/DecimalText.h"
#include "platform/StrUtil.h"
#include "platform/Utf.h"

namespace {

constexpr int kRatingsFollow = 9;
constexpr long long kMostTenths = 50;  // five stars


// Folded name -> value of the first line with that name.
std::unordered_map<std::wstring, std::wstring> ReadLines(std::wstring_view text) {
    std::unordered_map<std::wstring, std::wstring> lines;
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find_first_of(L"\r\n", start);
        if (end == std::wstring_view::npos) end = text.size();
        const std::wstring_view line = text.substr(start, end - start);
        const size_t equals = line.find(L'=');
        if (equals != std::wstring_view::npos) {
            lines.try_emplace(FoldAsciiCase(line.substr(0, equals)), line.substr(equals + 1));
        }
        if (end >= text.size()) break;
        // CR LF is one break.
        start = end + ((text[end] == L'\r' && end + 1 < text.size() && text[end + 1] == L'\n') ? 2 : 1);
    }
    return lines;
}

std::optional<int> DecimalInteger(std::wstring_view text) {
    while (!text.empty() && (text.front() == L' ' || text.front() == L'\t')) text.remove_prefix(1);
    while (!text.empty() && (text.back() == L' ' || text.back() == L'\t')) text.remove_suffix(1);
    bool negative = false;
    if (!text.empty() && (text.front() == L'-' || text.front() == L'+')) {
        negative = text.front() == L'-';
        text.remove_prefix(1);
    }
    if (text.empty() || text.size() > 9) return std::nullopt;
    int value = 0;
    for (const wchar_t c : text) {
        if (c < L'0' || c > L'9') return std::nullopt;
        value = value * 10 + (c - L'0');
    }
    return negative ? -value : value;
}

}  // namespace

TBatchRatingReply ReadBatchRatingReply(std::string_view body, const std::vector<std::wstring>& ids) {
    TBatchRatingReply reply;
    const auto lines = ReadLines(ToWide(body));
    const auto msg = lines.find(L"msg");
    if (msg == lines.end()) return reply;
    const std::optional<int> code = DecimalInteger(msg->second);
    if (!code) return reply;
    reply.Unreadable = false;
    reply.Code = *code;
    if (reply.Code != kRatingsFollow) return reply;
    for (size_t i = 0; i < ids.size(); ++i) {
        const auto line = lines.find(FoldAsciiCase(ids[i]));
        if (line == lines.end() || line->second.empty()) continue;
        std::wstring_view value = line->second;
        value = value.substr(0, value.find(L','));
        // The number is ASCII; anything else makes it no number.
        std::string ascii;
        bool plain = true;
        for (const wchar_t c : value) {
            if (c > 0x7F) plain = false;
            ascii += static_cast<char>(c);
        }
        if (!plain) continue;
        const std::optional<long long> tenths = ParseTenths(ascii);
        if (!tenths || *tenths < 0 || *tenths > kMostTenths) continue;
        reply.Ratings.emplace_back(i, static_cast<int>(*tenths));
    }
    return reply;
}
