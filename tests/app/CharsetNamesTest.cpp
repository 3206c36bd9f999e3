#include "app/CharsetNames.h"

#include <gtest/gtest.h>

// The values themselves are checked against <wingdi.h> by LanguageFontsTest.
TEST(CharsetNames, NamesMatchInAnyLetterCase) {
    EXPECT_EQ(CharsetFromName("gb2312_charset"), 134);
    EXPECT_EQ(CharsetFromName("Russian_Charset"), 204);
    EXPECT_EQ(CharsetFromName("OEM_CHARSET"), 255);
}

TEST(CharsetNames, OtherNamesAreUnknown) {
    for (const char* name : {"", "ANSI", "CHARSET", "HANGUL_CHARSET", "VIETNAMESE_CHARSET", "0", "204",
                             " ANSI_CHARSET", "ANSI_CHARSET\xC3\xA9"}) {
        EXPECT_FALSE(CharsetFromName(name).has_value()) << name;
    }
}
