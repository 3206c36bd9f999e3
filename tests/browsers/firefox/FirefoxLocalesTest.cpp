// The texts of the display language's locale. extra.cmake runs these tests
// again under a German display language and under one without a tag, and
// names in BRIVO_EXPECTED_UI_TAG the tag each must give.
#include <gtest/gtest.h>

#include <cstdlib>

#include "FirefoxTestFiles.h"
#include "browsers/chromium/UiLanguageTags.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "platform/Utf.h"

namespace {

TEST(FirefoxLocales, TheDisplayLanguagesLocaleWinsOverTheDefaultLocale) {
    const std::string tag = GetUiLanguageTag();
    if (const char* expected = std::getenv("BRIVO_EXPECTED_UI_TAG")) {
        ASSERT_EQ(tag, expected) << "LANGID 0x" << std::hex << GetUserDefaultUILanguage();
    }
    const FirefoxSandbox sandbox;
    const std::wstring profile = sandbox.MakeProfile();
    // Every add-on names the current tag, a neighbour of it and an empty
    // member, which must never count as a tag.
    const std::string ownTag = tag.empty() ? "en-us" : tag;
    const std::string locales = "\"locales\":{\"xx\":{\"name\":\"Neighbour\"},\"\":{\"name\":\"Untagged\"},\"" +
                                ownTag + "\":{\"name\":\"Localized\",\"description\":\"Localized text\"}}";
    WriteBytes(profile + L"extensions.json",
               "{\"addons\":[{\"id\":\"both\",\"name\":\"Own\"," + locales +
                   ",\"defaultLocale\":{\"name\":\"Default\",\"description\":\"Default text\"}},"
                   "{\"id\":\"tag-only\",\"name\":\"Own\"," + locales + "},"
                   "{\"id\":\"other-tags\",\"name\":\"Own\",\"locales\":{\"zz\":{\"name\":\"Z\"}},"
                   "\"defaultLocale\":{\"name\":\"Default\"}},"
                   "{\"id\":\"null-member\",\"name\":\"Own\",\"locales\":{\"" + ownTag + "\":null},"
                   "\"defaultLocale\":{\"name\":\"Default\"}}]}");
    const TFireFoxExtensions firefox;
    const TBrowserExtensionInfo* both = FindRecord(firefox, L"both");
    const TBrowserExtensionInfo* tagOnly = FindRecord(firefox, L"tag-only");
    ASSERT_NE(both, nullptr);
    ASSERT_NE(tagOnly, nullptr);
    if (tag.empty()) {
        EXPECT_EQ(both->Name, L"Default");
        EXPECT_EQ(both->Description, L"Default text");
        EXPECT_EQ(tagOnly->Name, L"Own");
        EXPECT_EQ(tagOnly->Description, L"");
    } else {
        EXPECT_EQ(both->Name, L"Localized");
        EXPECT_EQ(both->Description, L"Localized text");
        EXPECT_EQ(tagOnly->Name, L"Localized");
    }
    EXPECT_EQ(FindRecord(firefox, L"other-tags")->Name, L"Default");
    EXPECT_EQ(FindRecord(firefox, L"null-member")->Name, L"Default");
}

}  // namespace
