#include "browsers/chromium/UiLanguageTag.h"

#include <windows.h>

#include "browsers/chromium/UiLanguageTags.h"

std::string GetUiLanguageTag() {
    return UiLanguageTagOf(static_cast<std::uint16_t>(GetUserDefaultUILanguage()));
}
