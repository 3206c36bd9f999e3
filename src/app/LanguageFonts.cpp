#include "app/LanguageFonts.h"

#include "app/CharsetNames.h"
#include "app/LanguageFileReader.h"
#include "app/LanguageLookup.h"
#include "app/ProfileInteger.h"
#include "platform/FileUtil.h"
#include "platform/Utf.h"

#include <optional>

namespace {

constexpr wchar_t kDefaultFont[] = L"Tahoma";
constexpr int kDefaultFontSize = 8;

BYTE StockFontCharset() {
    LOGFONTW font{};
    if (GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font) != sizeof(font)) return DEFAULT_CHARSET;
    return font.lfCharSet;
}

// A file that exists but cannot be read counts as missing.
std::optional<LanguageFile> ReadActiveFile() {
    const std::wstring& path = LanguageFilePath();
    if (path.empty() || !FileExists(path)) return std::nullopt;
    return ReadLanguageFile(path);
}

// Missing file and missing key alike give nullopt.
std::optional<std::string> ActiveFileValue(const char* key) {
    const std::optional<LanguageFile> file = ReadActiveFile();
    return file ? file->Value("Translation", key) : std::nullopt;
}

}  // namespace

BYTE GetLanguageCharset() {
    const std::optional<LanguageFile> file = ReadActiveFile();
    if (!file) return StockFontCharset();
    const std::optional<int> charset =
        CharsetFromName(file->Value("Translation", "DefaultCharset").value_or("ANSI_CHARSET"));
    return charset ? static_cast<BYTE>(*charset) : StockFontCharset();
}

std::wstring GetLanguageFontName() {
    const std::optional<std::string> face = ActiveFileValue("DefaultFont");
    return face && !face->empty() ? ToWide(*face) : kDefaultFont;
}

int GetLanguageFontSize() {
    const std::optional<std::string> text = ActiveFileValue("DefaultFontSize");
    const std::optional<std::int32_t> size = text ? ParseProfileInteger(*text) : std::nullopt;
    return size && *size > 0 ? *size : kDefaultFontSize;
}
