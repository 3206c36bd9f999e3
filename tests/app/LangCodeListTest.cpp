#include "app/LangCodeList.h"

#include <gtest/gtest.h>

TEST(LangCodeList, IdentifiersAreFourUpperCaseHexDigits) {
    EXPECT_EQ(FormatLanguageId(0x0809), "0809");
    EXPECT_EQ(FormatLanguageId(0x0c0a), "0C0A");
    EXPECT_EQ(FormatLanguageId(0x7), "0007");
    EXPECT_EQ(FormatLanguageId(0xFFFF), "FFFF");
}

TEST(LangCodeList, EntriesMatchWholeAndWithoutRegardToCase) {
    const char* english = "0C09|2809|1009|2409|4009|1809|2009|4409|1409|3409|4809|1c09|2C09|0809|0409|3009";
    EXPECT_TRUE(LangCodeListContains(english, "0809"));
    EXPECT_TRUE(LangCodeListContains(english, "0C09"));
    EXPECT_TRUE(LangCodeListContains(english, "1C09"));  // written "1c09"
    EXPECT_TRUE(LangCodeListContains(english, "3009"));  // the last entry
    EXPECT_FALSE(LangCodeListContains(english, "0407"));
    EXPECT_FALSE(LangCodeListContains("08091", "0809"));
    EXPECT_FALSE(LangCodeListContains("", "0809"));
}

TEST(LangCodeList, EntriesAreNotTrimmed) {
    EXPECT_FALSE(LangCodeListContains("0407| 0809", "0809"));
    EXPECT_FALSE(LangCodeListContains("0809 |0407", "0809"));
    EXPECT_TRUE(LangCodeListContains("0407||0809|", "0809"));
}
