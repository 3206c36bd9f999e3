#include "browsers/chromium/UiLanguageTags.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <map>
#include <set>
#include <string>

namespace {

struct ExpectedRow {
    std::uint16_t langId;
    const char* tag;
};

// Written out one row per line, independently of the table in the source.
const ExpectedRow kExpectedRows[] = {
    {0x0001, "ar"},
    {0x0401, "ar-sa"},
    {0x0801, "ar-iq"},
    {0x0c01, "ar-eg"},
    {0x1001, "ar-ly"},
    {0x1401, "ar-dz"},
    {0x1801, "ar-ma"},
    {0x1c01, "ar-tn"},
    {0x2001, "ar-om"},
    {0x2401, "ar-ye"},
    {0x2801, "ar-sy"},
    {0x2c01, "ar-jo"},
    {0x3001, "ar-lb"},
    {0x3401, "ar-kw"},
    {0x3801, "ar-ae"},
    {0x3c01, "ar-bh"},
    {0x4001, "ar-qa"},
    {0x0402, "bg"},
    {0x0403, "ca"},
    {0x0004, "zh"},
    {0x0404, "zh-tw"},
    {0x0804, "zh-cn"},
    {0x0c04, "zh-hk"},
    {0x1004, "zh-sg"},
    {0x0405, "cs"},
    {0x0406, "da"},
    {0x0407, "de"},
    {0x0807, "de-ch"},
    {0x0c07, "de-at"},
    {0x1007, "de-lu"},
    {0x1407, "de-li"},
    {0x0408, "el"},
    {0x0009, "en"},
    {0x0409, "en-us"},
    {0x0809, "en-gb"},
    {0x0c09, "en-au"},
    {0x1009, "en-ca"},
    {0x1409, "en-nz"},
    {0x1809, "en-ie"},
    {0x1c09, "en-za"},
    {0x2009, "en-jm"},
    {0x2809, "en-bz"},
    {0x2c09, "en-tt"},
    {0x040a, "es"},
    {0x080a, "es-mx"},
    {0x0c0a, "es"},
    {0x100a, "es-gt"},
    {0x140a, "es-cr"},
    {0x180a, "es-pa"},
    {0x1c0a, "es-do"},
    {0x200a, "es-ve"},
    {0x240a, "es-co"},
    {0x280a, "es-pe"},
    {0x2c0a, "es-ar"},
    {0x300a, "es-ec"},
    {0x340a, "es-cl"},
    {0x380a, "es-uy"},
    {0x3c0a, "es-py"},
    {0x400a, "es-bo"},
    {0x440a, "es-sv"},
    {0x480a, "es-hn"},
    {0x4c0a, "es-ni"},
    {0x500a, "es-pr"},
    {0x040b, "fi"},
    {0x040c, "fr"},
    {0x080c, "fr-be"},
    {0x0c0c, "fr-ca"},
    {0x100c, "fr-ch"},
    {0x140c, "fr-lu"},
    {0x040d, "he"},
    {0x040e, "hu"},
    {0x040f, "is"},
    {0x0410, "it"},
    {0x0810, "it-ch"},
    {0x0411, "ja"},
    {0x0412, "ko"},
    {0x0413, "nl"},
    {0x0813, "nl-be"},
    {0x0414, "no"},
    {0x0814, "no"},
    {0x0415, "pl"},
    {0x0416, "pt-br"},
    {0x0816, "pt"},
    {0x0417, "rm"},
    {0x0418, "ro"},
    {0x0818, "ro-mo"},
    {0x0419, "ru"},
    {0x0819, "ru-mo"},
    {0x041a, "hr"},
    {0x081a, "sr"},
    {0x0c1a, "sr"},
    {0x041b, "sk"},
    {0x041c, "sq"},
    {0x041d, "sv"},
    {0x081d, "sv-fi"},
    {0x041e, "th"},
    {0x041f, "tr"},
    {0x0420, "ur"},
    {0x0421, "in"},
    {0x0422, "uk"},
    {0x0423, "be"},
    {0x0424, "sl"},
    {0x0425, "et"},
    {0x0426, "lv"},
    {0x0427, "lt"},
    {0x0429, "fa"},
    {0x042a, "vi"},
    {0x042d, "eu"},
    {0x042e, "sb"},
    {0x042f, "mk"},
    {0x0430, "sx"},
    {0x0431, "ts"},
    {0x0432, "tn"},
    {0x0434, "xh"},
    {0x0435, "zu"},
    {0x0436, "af"},
    {0x0438, "fo"},
    {0x0439, "hi"},
    {0x043a, "mt"},
    {0x043c, "gd"},
    {0x043d, "ji"},
    {0x043e, "ms"},
};

std::map<std::uint16_t, std::string> ExpectedTags() {
    std::map<std::uint16_t, std::string> tags;
    for (const ExpectedRow& row : kExpectedRows) tags.emplace(row.langId, row.tag);
    return tags;
}

}  // namespace

TEST(UiLanguageTags, EveryListedIdentifierGivesItsTag) {
    ASSERT_EQ(std::size(kExpectedRows), 122u);
    for (const ExpectedRow& row : kExpectedRows) {
        EXPECT_EQ(UiLanguageTagOf(row.langId), row.tag) << std::hex << "LANGID 0x" << row.langId;
    }
}

TEST(UiLanguageTags, TableHoldsExactlyTheListedRowsWithDistinctIdentifiers) {
    const auto expected = ExpectedTags();
    ASSERT_EQ(expected.size(), 122u);
    std::set<std::uint16_t> seen;
    for (const UiLanguageTagRow& row : UiLanguageTags) {
        EXPECT_TRUE(seen.insert(row.langId).second) << std::hex << "twice: 0x" << row.langId;
        const auto it = expected.find(row.langId);
        ASSERT_NE(it, expected.end()) << std::hex << "unexpected: 0x" << row.langId;
        EXPECT_EQ(row.tag, it->second);
    }
}

TEST(UiLanguageTags, UnlistedIdentifiersGiveNoTagWithoutFallingBackToThePrimaryLanguage) {
    const auto expected = ExpectedTags();
    int unlisted = 0;
    for (std::uint32_t id = 0; id <= 0xFFFF; ++id) {
        if (expected.count(static_cast<std::uint16_t>(id))) continue;
        ++unlisted;
        EXPECT_EQ(UiLanguageTagOf(static_cast<std::uint16_t>(id)), "") << std::hex << "0x" << id;
    }
    EXPECT_EQ(unlisted, 0x10000 - 122);
    EXPECT_EQ(UiLanguageTagOf(0x3009), "");  // English, Zimbabwe: only 0x0009 and 0x0C09 are listed
    EXPECT_EQ(UiLanguageTagOf(0x0437), "");  // Georgian
    EXPECT_EQ(UiLanguageTagOf(0x0007), "");  // German primary only: not listed, unlike 0x0009
}
