#include "net/IniText.h"

#include <gtest/gtest.h>

namespace {

const IniText kUpdatePage = IniText::Parse(
    "build=7\r\n"
    "[VerInfo]\r\n"
    "  build =  0x33  \r\n"
    "NewGetUrl=\"http://127.0.0.1/get.html\"\r\n"
    "Quoted='single'\r\n"
    "Half=\"open\r\n"
    "build=99\r\n"
    "[ NewInfo ]\n"
    "Faster start\n"
    "\n"
    "; a comment\n"
    "Fixed: crash = gone\n"
    "  trailing blanks  \n"
    "=no key\n"
    "[verinfo]\r\n"
    "Late=1\r\n"
    "[Numbers]\r"
    "dec=42\r"
    "neg=-5\r"
    "hex=0xFF\r"
    "HEX=0Xff\r"
    "text=12abc\r"
    "empty=\r"
    "big=4294967296\r");

TEST(IniRules, SectionAndKeyNamesMatchWithoutRegardToCase) {
    EXPECT_EQ(kUpdatePage.ReadInteger("VERINFO", "Build", 0), 51);
    EXPECT_EQ(kUpdatePage.ReadString("verinfo", "newgeturl", "-"), "http://127.0.0.1/get.html");
}

TEST(IniRules, TheFirstSectionAndTheFirstKeyOfANameWin) {
    // Lines before the first section belong to none.
    EXPECT_EQ(kUpdatePage.ReadInteger("VerInfo", "build", 0), 51);
    // A later section of the same name is not searched.
    EXPECT_FALSE(kUpdatePage.ReadString("VerInfo", "Late"));
}

TEST(IniRules, ValuesAreTrimmedAndLoseMatchingQuotes) {
    EXPECT_EQ(kUpdatePage.ReadString("VerInfo", "Quoted", ""), "single");
    EXPECT_EQ(kUpdatePage.ReadString("VerInfo", "Half", ""), "\"open");
    EXPECT_EQ(kUpdatePage.ReadString("VerInfo", "absent", "fallback"), "fallback");
    EXPECT_FALSE(kUpdatePage.ReadString("NoSuch", "build"));
}

TEST(IniRules, IntegersAreDecimalOrHexadecimalAndOtherwiseTheDefault) {
    EXPECT_EQ(kUpdatePage.ReadInteger("Numbers", "dec", -1), 42);
    EXPECT_EQ(kUpdatePage.ReadInteger("Numbers", "neg", -1), -5);
    EXPECT_EQ(kUpdatePage.ReadInteger("Numbers", "hex", -1), 255);
    // "HEX" is the same key as "hex": the first line wins.
    EXPECT_EQ(kUpdatePage.ReadInteger("Numbers", "text", -1), -1);
    EXPECT_EQ(kUpdatePage.ReadInteger("Numbers", "empty", -1), -1);
    EXPECT_EQ(kUpdatePage.ReadInteger("Numbers", "big", -1), -1);
    EXPECT_EQ(kUpdatePage.ReadInteger("Numbers", "missing", 50), 50);
    EXPECT_EQ(kUpdatePage.ReadInteger("Missing", "dec", 50), 50);
}

TEST(IniRules, ASectionListsTheKeyOfEachLineAndWholeLinesWithoutEquals) {
    EXPECT_EQ(kUpdatePage.ReadSection("newinfo"),
              (std::vector<std::string>{"Faster start", "Fixed: crash", "trailing blanks"}));
    EXPECT_EQ(kUpdatePage.ReadSection("Missing"), std::vector<std::string>{});
}

TEST(IniRules, OddTextReadsAsFewerEntriesNeverAsAnError) {
    constexpr char kOdd[] = "[A]\0x=1\n[B\nkey=v\n[]\nk=2\n]\n[C]x";
    const IniText odd = IniText::Parse(std::string(kOdd, sizeof(kOdd) - 1));
    EXPECT_EQ(odd.ReadString("", "k", "-"), "2");
    EXPECT_EQ(odd.ReadSection("C"), std::vector<std::string>{});
    EXPECT_EQ(IniText::Parse("").ReadSection("A"), std::vector<std::string>{});
    EXPECT_EQ(IniText::Parse("[A]").ReadInteger("A", "x", 3), 3);
}

}  // namespace
