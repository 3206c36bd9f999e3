#include "browsers/chromium/UiLanguageTags.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

// Wine takes the display language from LANG; extra.cmake runs this test under
// several locales and names in BRIVO_EXPECTED_UI_TAG the tag each must give.
TEST(UiLanguageTagFromWindows, NamesTheUsersDisplayLanguage) {
    const char* expected = std::getenv("BRIVO_EXPECTED_UI_TAG");
    if (expected == nullptr) GTEST_SKIP() << "run by the locale variants of extra.cmake";
    EXPECT_EQ(GetUiLanguageTag(), expected)
        << "LANGID 0x" << std::hex << GetUserDefaultUILanguage();
}
