#include "app/LanguageChoice.h"

#include "app/ExecutableFolder.h"
#include "app/LangCodeList.h"
#include "app/LanguageFileReader.h"
#include "app/LanguageLookup.h"
#include "platform/FileUtil.h"
#include "platform/PublicFuns.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

constexpr wchar_t kLanguagesFolder[] = L"Languages\\";
constexpr wchar_t kExtension[] = L".ini";
constexpr size_t kExtensionLength = 4;

bool EndsWithExtension(const std::wstring& name) {
    return name.size() > kExtensionLength &&
           CompareStringOrdinal(name.c_str() + name.size() - kExtensionLength, -1, kExtension, -1, TRUE) ==
               CSTR_EQUAL;
}

}  // namespace

std::wstring LanguageFilePathFor(const std::wstring& name) {
    return ExecutableFolder() + kLanguagesFolder + name + kExtension;
}

void ListLanguages(std::vector<std::wstring>& names) {
    names.clear();
    const std::wstring pattern = ExecutableFolder() + kLanguagesFolder + L"*" + kExtension;
    WIN32_FIND_DATAW entry{};
    const UniqueFindHandle find(FindFirstFileW(pattern.c_str(), &entry));
    if (!find || find.get() == INVALID_HANDLE_VALUE) return;
    do {
        // "*.ini" also matches through short names ("Notes.ini2" is NOTES~1.INI);
        // only real ".ini" names are language files.
        const std::wstring fileName = entry.cFileName;
        if (EndsWithExtension(fileName)) names.push_back(fileName.substr(0, fileName.size() - kExtensionLength));
    } while (FindNextFileW(find.get(), &entry));
}

std::wstring DetectLanguage() { return DetectLanguageFor(GetUserDefaultUILanguage()); }

std::wstring DetectLanguageFor(LANGID languageId) {
    const std::string identifier = FormatLanguageId(languageId);
    std::vector<std::wstring> names;
    ListLanguages(names);
    for (const std::wstring& name : names) {
        const std::wstring path = LanguageFilePathFor(name);
        if (!PathExistsAnyView(path)) continue;
        const std::optional<LanguageFile> file = ReadLanguageFile(path);
        if (!file) break;  // an unreadable file ends the search
        if (LangCodeListContains(file->Value("Translation", "LangCode").value_or(""), identifier)) return name;
    }
    return L"English";
}

void ChooseLanguageFile(const std::wstring& name) {
    const std::wstring path = LanguageFilePathFor(name);
    SetLanguageFilePath(PathExistsAnyView(path) ? path : LanguageFilePathFor(L"English"));
}

std::wstring GetNativeLanguageName(const std::wstring& name) {
    const std::wstring path = LanguageFilePathFor(name);
    if (!FileExists(path)) return name;
    const std::optional<LanguageFile> file = ReadLanguageFile(path);
    const std::string native = file ? file->Value("Lang", "NativeLanguage").value_or("") : "";
    return native.empty() ? name : ToWide(native);
}
