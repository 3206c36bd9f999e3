#include "browsers/chromium/UiLanguageTags.h"

#include <algorithm>

#ifdef _WIN32
#include <windows.h>
#endif

// Grouped by primary language. Three identifiers carry only a primary
// language; "es", "no" and "sr" occur twice.
const std::array<UiLanguageTagRow, 122> UiLanguageTags = {{
    {0x0001, "ar"}, {0x0401, "ar-sa"}, {0x0801, "ar-iq"}, {0x0C01, "ar-eg"}, {0x1001, "ar-ly"},
    {0x1401, "ar-dz"}, {0x1801, "ar-ma"}, {0x1C01, "ar-tn"}, {0x2001, "ar-om"},
    {0x2401, "ar-ye"}, {0x2801, "ar-sy"}, {0x2C01, "ar-jo"}, {0x3001, "ar-lb"},
    {0x3401, "ar-kw"}, {0x3801, "ar-ae"}, {0x3C01, "ar-bh"}, {0x4001, "ar-qa"},
    {0x0402, "bg"}, {0x0403, "ca"},
    {0x0004, "zh"}, {0x0404, "zh-tw"}, {0x0804, "zh-cn"}, {0x0C04, "zh-hk"}, {0x1004, "zh-sg"},
    {0x0405, "cs"}, {0x0406, "da"},
    {0x0407, "de"}, {0x0807, "de-ch"}, {0x0C07, "de-at"}, {0x1007, "de-lu"}, {0x1407, "de-li"},
    {0x0408, "el"},
    {0x0009, "en"}, {0x0409, "en-us"}, {0x0809, "en-gb"}, {0x0C09, "en-au"}, {0x1009, "en-ca"},
    {0x1409, "en-nz"}, {0x1809, "en-ie"}, {0x1C09, "en-za"}, {0x2009, "en-jm"},
    {0x2809, "en-bz"}, {0x2C09, "en-tt"},
    {0x040A, "es"}, {0x080A, "es-mx"}, {0x0C0A, "es"}, {0x100A, "es-gt"}, {0x140A, "es-cr"},
    {0x180A, "es-pa"}, {0x1C0A, "es-do"}, {0x200A, "es-ve"}, {0x240A, "es-co"},
    {0x280A, "es-pe"}, {0x2C0A, "es-ar"}, {0x300A, "es-ec"}, {0x340A, "es-cl"},
    {0x380A, "es-uy"}, {0x3C0A, "es-py"}, {0x400A, "es-bo"}, {0x440A, "es-sv"},
    {0x480A, "es-hn"}, {0x4C0A, "es-ni"}, {0x500A, "es-pr"},
    {0x040B, "fi"},
    {0x040C, "fr"}, {0x080C, "fr-be"}, {0x0C0C, "fr-ca"}, {0x100C, "fr-ch"}, {0x140C, "fr-lu"},
    {0x040D, "he"}, {0x040E, "hu"}, {0x040F, "is"},
    {0x0410, "it"}, {0x0810, "it-ch"},
    {0x0411, "ja"}, {0x0412, "ko"},
    {0x0413, "nl"}, {0x0813, "nl-be"},
    {0x0414, "no"}, {0x0814, "no"},
    {0x0415, "pl"},
    {0x0416, "pt-br"}, {0x0816, "pt"},
    {0x0417, "rm"},
    {0x0418, "ro"}, {0x0818, "ro-mo"},
    {0x0419, "ru"}, {0x0819, "ru-mo"},
    {0x041A, "hr"}, {0x081A, "sr"}, {0x0C1A, "sr"},
    {0x041B, "sk"}, {0x041C, "sq"},
    {0x041D, "sv"}, {0x081D, "sv-fi"},
    {0x041E, "th"}, {0x041F, "tr"}, {0x0420, "ur"}, {0x0421, "in"}, {0x0422, "uk"},
    {0x0423, "be"}, {0x0424, "sl"}, {0x0425, "et"}, {0x0426, "lv"}, {0x0427, "lt"},
    {0x0429, "fa"}, {0x042A, "vi"}, {0x042D, "eu"}, {0x042E, "sb"}, {0x042F, "mk"},
    {0x0430, "sx"}, {0x0431, "ts"}, {0x0432, "tn"}, {0x0434, "xh"}, {0x0435, "zu"},
    {0x0436, "af"}, {0x0438, "fo"}, {0x0439, "hi"}, {0x043A, "mt"}, {0x043C, "gd"},
    {0x043D, "ji"}, {0x043E, "ms"}
}};

std::string UiLanguageTagOf(std::uint16_t langId) {
    const auto row = std::find_if(UiLanguageTags.begin(), UiLanguageTags.end(),
                                  [langId](const UiLanguageTagRow& r) { return r.langId == langId; });
    return row == UiLanguageTags.end() ? std::string() : std::string(row->tag);
}

#ifdef _WIN32
std::string GetUiLanguageTag() {
    return UiLanguageTagOf(static_cast<std::uint16_t>(GetUserDefaultUILanguage()));
}
#endif
