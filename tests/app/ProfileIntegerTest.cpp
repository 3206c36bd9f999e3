#include "app/ProfileInteger.h"

#include <gtest/gtest.h>

TEST(ProfileInteger, DecimalWithSignAndBlanks) {
    EXPECT_EQ(ParseProfileInteger("0"), 0);
    EXPECT_EQ(ParseProfileInteger("1"), 1);
    EXPECT_EQ(ParseProfileInteger("  42\t"), 42);
    EXPECT_EQ(ParseProfileInteger("+7"), 7);
    EXPECT_EQ(ParseProfileInteger("-15"), -15);
    EXPECT_EQ(ParseProfileInteger("007"), 7);
    EXPECT_EQ(ParseProfileInteger("2147483647"), 2147483647);
    EXPECT_EQ(ParseProfileInteger("-2147483648"), INT32_MIN);
}

TEST(ProfileInteger, HexadecimalIsTheThirtyTwoBitPattern) {
    EXPECT_EQ(ParseProfileInteger("0x10"), 16);
    EXPECT_EQ(ParseProfileInteger("0X1f"), 31);
    EXPECT_EQ(ParseProfileInteger("0xFFFFFFFF"), -1);
    EXPECT_EQ(ParseProfileInteger("0x80000000"), INT32_MIN);
    EXPECT_EQ(ParseProfileInteger("0x0000000010"), 16);  // leading zeros are not digits that count
    EXPECT_EQ(ParseProfileInteger("-0x10"), -16);
}

TEST(ProfileInteger, AnythingElseIsNotAnInteger) {
    for (const char* text : {"", "   ", "+", "-", "abc", "12abc", "1 2", "1.5", "0x", "0x1G", "0x100000000",
                             "2147483648", "-2147483649", "99999999999999999999", "--1", "\xEF\xBC\x91"}) {
        EXPECT_FALSE(ParseProfileInteger(text).has_value()) << '"' << text << '"';
    }
}

TEST(ProfileInteger, PairsAreTwoIntegersAroundOneComma) {
    using Pair = std::pair<std::int32_t, std::int32_t>;
    EXPECT_EQ(ParseProfileIntegerPair("10,20"), Pair(10, 20));
    EXPECT_EQ(ParseProfileIntegerPair(" -1920 , 0x10 "), Pair(-1920, 16));
    EXPECT_EQ(ParseProfileIntegerPair("0,-0"), Pair(0, 0));
    for (const char* text : {"", ",", "10", "10,", ",20", "10,20,30", "10;20", "10 20", "a,b", "1.5,2",
                             "2147483648,1"}) {
        EXPECT_FALSE(ParseProfileIntegerPair(text).has_value()) << '"' << text << '"';
    }
}
