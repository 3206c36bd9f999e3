#include "app/LanguageLookup.h"

#include "app/LanguageFileReader.h"
#include "platform/FileUtil.h"
#include "platform/Utf.h"

#include <optional>

namespace {

struct LanguageCopies {
    std::wstring path;
    std::optional<LanguageFile> loaded;
    std::optional<LanguageFile> embedded;
    bool embeddedTried = false;  // the resource is looked for once, not per lookup
};

LanguageCopies& Copies() {
    static LanguageCopies copies;
    return copies;
}

std::string ValueIn(const std::optional<LanguageFile>& file, const std::string& section, const std::string& key) {
    if (!file) return {};
    return file->Value(section, key).value_or(std::string());
}

}  // namespace

const std::wstring& LanguageFilePath() { return Copies().path; }

void SetLanguageFilePath(const std::wstring& path) {
    Copies().path = path;
    Copies().loaded.reset();
}

void ReloadLanguageFile() {
    LanguageCopies& copies = Copies();
    copies.loaded.reset();
    if (!copies.path.empty() && FileExists(copies.path)) copies.loaded = ReadLanguageFile(copies.path);
}

void LoadEmbeddedLanguage() { LoadEmbeddedLanguageFrom(GetModuleHandleW(nullptr)); }

void LoadEmbeddedLanguageFrom(HMODULE module) {
    LanguageCopies& copies = Copies();
    copies.embeddedTried = true;
    copies.embedded = ReadLanguageResource(module, L"MemLang");
}

std::wstring Translate(const std::wstring& section, const std::wstring& key, const std::wstring& defaultText) {
    if (section.empty() || key.empty()) return {};
    LanguageCopies& copies = Copies();
    const std::string sectionUtf8 = ToUtf8(section);
    const std::string keyUtf8 = ToUtf8(key);

    if (!copies.loaded) ReloadLanguageFile();
    std::string text = ValueIn(copies.loaded, sectionUtf8, keyUtf8);
    if (!text.empty()) return ToWide(text);

    if (!copies.embeddedTried) LoadEmbeddedLanguage();
    if (!copies.embedded) return defaultText;
    const std::optional<std::string> builtIn = copies.embedded->Value(sectionUtf8, keyUtf8);
    return builtIn ? ToWide(*builtIn) : defaultText;
}
