#include "app/LanguageFile.h"

#include "platform/StrUtil.h"
#include "platform/Utf.h"

namespace {

constexpr char32_t kReplacement = 0xFFFD;

bool StartsWith(std::string_view text, std::string_view prefix) {
    return text.substr(0, prefix.size()) == prefix;
}

std::string DecodeUtf16(std::string_view bytes, bool bigEndian) {
    std::string out;
    out.reserve(bytes.size());
    const auto unitAt = [&](size_t i) -> char32_t {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        const auto b1 = static_cast<unsigned char>(bytes[i + 1]);
        return bigEndian ? (b0 << 8 | b1) : (b1 << 8 | b0);
    };
    size_t i = 0;
    for (; i + 1 < bytes.size(); i += 2) {
        const char32_t unit = unitAt(i);
        if (unit >= 0xD800 && unit <= 0xDBFF && i + 3 < bytes.size()) {
            const char32_t low = unitAt(i + 2);
            if (low >= 0xDC00 && low <= 0xDFFF) {
                AppendUtf8(out, 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00));
                i += 2;
                continue;
            }
        }
        // A lone surrogate becomes U+FFFD inside AppendUtf8.
        AppendUtf8(out, unit);
    }
    if (i < bytes.size()) AppendUtf8(out, kReplacement);  // odd trailing byte
    return out;
}

std::string SanitizeUtf8(std::string_view bytes) {
    if (IsValidUtf8(bytes)) return std::string(bytes);
    return ToUtf8(ToWide(bytes));
}

// Surrounding blanks are every control character and the space, as in the
// classic INI readers; bytes of multi-byte UTF-8 characters are all >= 0x80.
std::string_view Trim(std::string_view text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= 0x20) ++begin;
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= 0x20) --end;
    return text.substr(begin, end - begin);
}

}  // namespace

std::string DecodeLanguageFileBytes(std::string_view bytes, const AnsiDecoder& decodeAnsi) {
    std::string text;
    if (StartsWith(bytes, "\xEF\xBB\xBF")) {
        text = SanitizeUtf8(bytes.substr(3));
    } else if (StartsWith(bytes, "\xFF\xFE")) {
        text = DecodeUtf16(bytes.substr(2), false);
    } else if (StartsWith(bytes, "\xFE\xFF")) {
        text = DecodeUtf16(bytes.substr(2), true);
    } else {
        text = decodeAnsi ? SanitizeUtf8(decodeAnsi(bytes)) : SanitizeUtf8(bytes);
    }
    // A file converted from a copy that already had a mark carries a second
    // one (U+FEFF) at the start; it would spoil the first line.
    size_t skip = 0;
    while (StartsWith(std::string_view(text).substr(skip), "\xEF\xBB\xBF")) skip += 3;
    text.erase(0, skip);
    return text;
}

void ForEachLanguageLine(std::string_view text, const std::function<void(const LanguageLine&)>& visit) {
    std::string_view section;
    bool inSection = false;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string_view::npos) end = text.size();
        const std::string_view line = Trim(text.substr(pos, end - pos));
        // CR LF, LF and a lone CR all end a line.
        pos = (text.substr(end, 2) == "\r\n") ? end + 2 : end + 1;

        if (line.empty() || line.front() == ';') continue;
        if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
            section = Trim(line.substr(1, line.size() - 2));
            inSection = true;
            visit(LanguageLine{true, section, {}, {}});
            continue;
        }
        if (!inSection) continue;
        LanguageLine entry{false, section, line, {}};
        const size_t equals = line.find('=');
        if (equals != std::string_view::npos) {
            entry.key = Trim(line.substr(0, equals));
            entry.value = Trim(line.substr(equals + 1));
        }
        visit(entry);
    }
}

LanguageFile LanguageFile::ParseUtf8(std::string_view utf8) {
    LanguageFile file;
    const std::string text = SanitizeUtf8(utf8);
    Section* current = nullptr;
    ForEachLanguageLine(text, [&](const LanguageLine& line) {
        if (line.opensSection) {
            // A section written twice is one section.
            auto [it, added] = file.sections_.try_emplace(FoldAsciiCase(line.section));
            if (added) file.sectionNames_.emplace_back(line.section);
            current = &it->second;
            return;
        }
        auto [it, added] = current->values.try_emplace(FoldAsciiCase(line.key), line.value);
        if (added) {
            current->keyOrder.emplace_back(line.key);
        } else {
            it->second = line.value;  // the later line wins
        }
    });
    return file;
}

LanguageFile LanguageFile::ParseBytes(std::string_view bytes, const AnsiDecoder& decodeAnsi) {
    return ParseUtf8(DecodeLanguageFileBytes(bytes, decodeAnsi));
}

std::optional<std::string> LanguageFile::Value(std::string_view section, std::string_view key) const {
    const auto s = sections_.find(FoldAsciiCase(section));
    if (s == sections_.end()) return std::nullopt;
    const auto v = s->second.values.find(FoldAsciiCase(key));
    if (v == s->second.values.end()) return std::nullopt;
    return v->second;
}

bool LanguageFile::HasSection(std::string_view section) const {
    return sections_.count(FoldAsciiCase(section)) != 0;
}

std::vector<std::string> LanguageFile::Keys(std::string_view section) const {
    const auto s = sections_.find(FoldAsciiCase(section));
    if (s == sections_.end()) return {};
    return s->second.keyOrder;
}
