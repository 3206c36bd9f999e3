#include "browsers/chromium/ExtensionMessages.h"

#include <algorithm>
#include <cctype>

namespace {

constexpr std::string_view kPrefix = "__MSG_";
constexpr std::string_view kSuffix = "__";

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

void AddOnce(std::vector<std::string>& list, std::string name) {
    if (!name.empty() && std::find(list.begin(), list.end(), name) == list.end()) list.push_back(std::move(name));
}

}  // namespace

bool IsPlainLocaleName(std::string_view name) {
    if (name.empty()) return false;
    return std::all_of(name.begin(), name.end(), [](char c) {
        return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '-';
    });
}

std::optional<std::string> MessageKey(std::string_view text) {
    if (text.size() <= kPrefix.size() + kSuffix.size() || text.substr(0, kPrefix.size()) != kPrefix ||
        text.substr(text.size() - kSuffix.size()) != kSuffix)
        return std::nullopt;
    return std::string(text.substr(kPrefix.size(), text.size() - kPrefix.size() - kSuffix.size()));
}

std::vector<std::string> LocaleCandidates(std::string_view uiTag, std::string_view defaultLocale) {
    std::vector<std::string> list;
    const std::size_t dash = uiTag.find('-');
    const std::string language(uiTag.substr(0, dash));
    if (dash != std::string_view::npos) {
        std::string region(uiTag.substr(dash + 1));
        for (char& c : region) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        AddOnce(list, language + "_" + region);
    }
    AddOnce(list, language);
    // The manifest is the extension author's: its default locale is only
    // ever a folder of the extension's own "_locales".
    if (IsPlainLocaleName(defaultLocale)) AddOnce(list, std::string(defaultLocale));
    return list;
}

std::optional<std::string> LookupMessage(const JsonValue& messages, std::string_view key) {
    if (!messages.IsObject() || key.empty()) return std::nullopt;
    for (auto member = messages.MemberBegin(); member != messages.MemberEnd(); ++member) {
        if (!SameLetters({member->name.GetString(), member->name.GetStringLength()}, key)) continue;
        const JsonValue* message = Member(&member->value, "message");
        if (!message || !message->IsString()) return std::nullopt;
        return std::string(message->GetString(), message->GetStringLength());
    }
    return std::nullopt;
}
