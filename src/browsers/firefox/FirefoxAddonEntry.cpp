#include "browsers/firefox/FirefoxAddonEntry.h"

#include <algorithm>
#include <array>
#include <cctype>

namespace {

constexpr std::array<std::string_view, 4> kBuiltInLocations = {"app-builtin", "app-builtin-addons",
                                                               "app-system-defaults", "app-system-addons"};

bool SameLetters(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return std::tolower(static_cast<unsigned char>(x)) == std::tolower(static_cast<unsigned char>(y));
           });
}

const JsonValue* ObjectOrNull(const JsonValue* value) { return value && value->IsObject() ? value : nullptr; }

// Today's "locales": a list of text sets, each naming the languages it is
// for ("de", "en-US"). The set naming the tag wins; else one naming the
// tag's language ("de" for "de-at").
const JsonValue* FindLocaleInList(const JsonValue* list, std::string_view tag) {
    const std::string_view language = tag.substr(0, tag.find('-'));
    const JsonValue* languageMatch = nullptr;
    for (std::size_t i = 0; i < ArraySize(list); ++i) {
        const JsonValue* locale = ObjectOrNull(ArrayElement(list, i));
        const JsonValue* codes = GetArray(locale, "locales");
        for (std::size_t j = 0; j < ArraySize(codes); ++j) {
            const std::string code = TextOf(ArrayElement(codes, j));
            if (code.empty()) continue;
            if (SameLetters(code, tag)) return locale;
            if (!languageMatch && SameLetters(code, language)) languageMatch = locale;
        }
    }
    return languageMatch;
}

// The earlier form: "locales" an object with one member per tag, whose texts
// replace the add-on's own, also when they are empty or missing.
void ReadTexts(const JsonValue* addon, std::string_view tag, FirefoxAddonEntry& entry) {
    const JsonValue* locales = Member(addon, "locales");
    const JsonValue* defaultLocale = ObjectOrNull(Member(addon, "defaultLocale"));
    if (locales && locales->IsArray()) {
        const JsonValue* locale = tag.empty() ? nullptr : FindLocaleInList(locales, tag);
        if (!locale && !defaultLocale) return;
        // A text the language's set leaves out is the default locale's.
        for (auto [name, target] : {std::pair{"name", &entry.name}, std::pair{"description", &entry.description}}) {
            std::string text = GetText(locale, name);
            *target = text.empty() ? GetText(defaultLocale, name) : std::move(text);
        }
        return;
    }
    const JsonValue* locale = tag.empty() ? nullptr : ObjectOrNull(Member(locales, tag));
    if (!locale) locale = defaultLocale;
    if (!locale) return;
    entry.name = GetText(locale, "name");
    entry.description = GetText(locale, "description");
}

}  // namespace

bool IsAddonIconFile(std::string_view value) {
    if (value.empty() || value.find(':') != std::string_view::npos) return false;
    std::string path = AddonIconFilePath(value);
    std::size_t start = 0;
    for (;;) {
        const std::size_t end = path.find('/', start);
        const std::string_view step = std::string_view(path).substr(start, end - start);
        if (step == "..") return false;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return !path.empty();
}

std::string AddonIconFilePath(std::string_view value) {
    std::string path(value);
    std::replace(path.begin(), path.end(), '\\', '/');
    const std::size_t first = path.find_first_not_of('/');
    return first == std::string::npos ? std::string() : path.substr(first);
}

FirefoxAddonEntry ReadFirefoxAddonEntry(const JsonValue* addon, std::string_view tag) {
    FirefoxAddonEntry entry;
    addon = ObjectOrNull(addon);
    entry.id = GetText(addon, "id");
    entry.name = GetText(addon, "name");
    entry.version = GetText(addon, "version");
    entry.disabled = GetBoolean(addon, "userDisabled") || GetBoolean(addon, "appDisabled");
    entry.path = GetText(addon, "descriptor");
    if (entry.path.empty()) entry.path = GetText(addon, "path");
    entry.location = GetText(addon, "location");
    entry.builtIn = std::find(kBuiltInLocations.begin(), kBuiltInLocations.end(), entry.location) !=
                        kBuiltInLocations.end() ||
                    GetText(addon, "type") == "theme";
    ReadTexts(addon, tag, entry);

    const JsonValue* icons = ObjectOrNull(Member(addon, "icons"));
    entry.iconUrl = GetText(icons, "64");
    if (entry.iconUrl.empty()) entry.iconUrl = GetText(icons, "32");
    for (const char* size : {"64", "32", "48", "96", "128"}) {
        const std::string value = GetText(icons, size);
        if (IsAddonIconFile(value)) entry.iconFiles.push_back(AddonIconFilePath(value));
    }
    return entry;
}
