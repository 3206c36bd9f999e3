#include "net/IniText.h"

#include "app/ProfileInteger.h"
#include "platform/StrUtil.h"

namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view Trim(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
    while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
    return text;
}

std::string_view Unquote(std::string_view value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}

}  // namespace

IniText IniText::Parse(std::string_view utf8) {
    IniText ini;
    Section* current = nullptr;
    while (!utf8.empty()) {
        const size_t end = utf8.find_first_of("\r\n");
        std::string_view line = Trim(utf8.substr(0, end));
        utf8.remove_prefix(end == std::string_view::npos ? utf8.size() : end + 1);

        if (line.empty() || line.front() == ';') continue;
        const size_t close = line.rfind(']');
        if (line.front() == '[' && close != std::string_view::npos) {
            ini.sections_.push_back({std::string(Trim(line.substr(1, close - 1))), {}});
            current = &ini.sections_.back();
            continue;
        }
        if (!current) continue;
        const size_t equals = line.find('=');
        if (equals == std::string_view::npos) {
            current->entries.push_back({std::string(line), std::nullopt});
        } else {
            current->entries.push_back({std::string(Trim(line.substr(0, equals))),
                                        std::string(Unquote(Trim(line.substr(equals + 1))))});
        }
    }
    return ini;
}

const IniText::Section* IniText::Find(std::string_view section) const {
    for (const Section& s : sections_)
        if (EqualsAsciiCaseless(s.name, section)) return &s;
    return nullptr;
}

std::optional<std::string> IniText::ReadString(std::string_view section, std::string_view key) const {
    const Section* s = Find(section);
    if (!s) return std::nullopt;
    for (const Entry& e : s->entries)
        if (e.value && EqualsAsciiCaseless(e.key, key)) return e.value;
    return std::nullopt;
}

std::string IniText::ReadString(std::string_view section, std::string_view key, std::string_view fallback) const {
    std::optional<std::string> value = ReadString(section, key);
    return value ? *value : std::string(fallback);
}

std::int32_t IniText::ReadInteger(std::string_view section, std::string_view key, std::int32_t fallback) const {
    const std::optional<std::string> value = ReadString(section, key);
    if (!value) return fallback;
    return ParseProfileInteger(*value).value_or(fallback);
}

std::vector<std::string> IniText::ReadSection(std::string_view section) const {
    std::vector<std::string> keys;
    if (const Section* s = Find(section))
        for (const Entry& e : s->entries)
            if (!e.key.empty()) keys.push_back(e.key);
    return keys;
}

std::vector<std::string> IniText::SectionNames() const {
    std::vector<std::string> names;
    for (const Section& s : sections_)
        if (Find(s.name) == &s) names.push_back(s.name);
    return names;
}
