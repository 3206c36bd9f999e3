// The profiles of "profiles.ini", in the order the program lists them.
#include "browsers/firefox/FirefoxProfilesIni.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Each profile as "section:path" (":abs" added for IsRelative=0).
std::vector<std::string> Order(const std::string& ini) {
    std::vector<std::string> out;
    for (const FirefoxIniProfile& p : ReadFirefoxProfiles(ini))
        out.push_back(p.section + ":" + p.path + (p.relative ? "" : ":abs"));
    return out;
}

const std::string kThree =
    "[General]\r\nStartWithLastProfile=1\r\nVersion=2\r\n\r\n"
    "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/a.default\r\nDefault=1\r\n\r\n"
    "[Profile1]\r\nName=work\r\nIsRelative=0\r\nPath=D:\\Firefox profiles\\work\r\n\r\n"
    "[Profile2]\r\nName=default-release\r\nIsRelative=1\r\nPath=Profiles/b.default-release\r\n\r\n";

TEST(FirefoxProfilesIni, TheInstallSectionsDefaultComesFirstThenFileOrder) {
    EXPECT_EQ(Order(kThree + "[Install308046B0AF4A39CB]\r\nDefault=Profiles/b.default-release\r\nLocked=1\r\n"),
              (std::vector<std::string>{"Profile2:Profiles/b.default-release", "Profile0:Profiles/a.default",
                                        "Profile1:D:\\Firefox profiles\\work:abs"}));
    // The first Install section with a Default counts; slashes and letter case aside.
    EXPECT_EQ(Order("[InstallAAA]\r\nLocked=1\r\n[InstallBBB]\r\nDefault=D:/firefox PROFILES/work\r\n"
                    "[InstallCCC]\r\nDefault=Profiles/a.default\r\n" + kThree)
                  .front(),
              "Profile1:D:\\Firefox profiles\\work:abs");
}

TEST(FirefoxProfilesIni, WithoutAnInstallChoiceTheMarkedThenProfile0ComesFirst) {
    EXPECT_EQ(Order(kThree).front(), "Profile0:Profiles/a.default");
    // An Install section naming no listed profile does not count.
    EXPECT_EQ(Order(kThree + "[InstallX]\r\nDefault=Profiles/gone\r\n").front(), "Profile0:Profiles/a.default");
    const std::string marked = "[Profile0]\r\nName=a\r\nPath=a\r\n[Profile1]\r\nName=b\r\nPath=b\r\nDefault=1\r\n";
    EXPECT_EQ(Order(marked), (std::vector<std::string>{"Profile1:b", "Profile0:a"}));
    const std::string unmarked = "[Profile3]\r\nName=c\r\nPath=c\r\n[Profile0]\r\nName=a\r\nPath=a\r\n";
    EXPECT_EQ(Order(unmarked), (std::vector<std::string>{"Profile0:a", "Profile3:c"}));
    const std::string noProfile0 = "[Profile3]\r\nName=c\r\nPath=c\r\n[Profile5]\r\nName=e\r\nPath=e\r\n";
    EXPECT_EQ(Order(noProfile0), (std::vector<std::string>{"Profile3:c", "Profile5:e"}));
}

TEST(FirefoxProfilesIni, OnlyProfileSectionsWithNameAndPathCount) {
    const std::string ini =
        "[Profile0]\r\nName=no path\r\n"
        "[Profile1]\r\nPath=no/name\r\n"
        "[ProfileX]\r\nName=x\r\nPath=x\r\n"
        "[Profiles]\r\nName=y\r\nPath=y\r\n"
        "[BackgroundTasksProfiles]\r\nName=z\r\nPath=z\r\n"
        "[profile7]\r\nName=seven\r\nIsRelative=0\r\nPath=C:\\seven\r\n";
    EXPECT_EQ(Order(ini), std::vector<std::string>{"profile7:C:\\seven:abs"});
    EXPECT_TRUE(ReadFirefoxProfiles("").empty());
    EXPECT_TRUE(ReadFirefoxProfiles("\xff\xfe garbage [ =\r\n").empty());
    const std::vector<FirefoxIniProfile> named = ReadFirefoxProfiles(kThree);
    ASSERT_EQ(named.size(), 3u);
    EXPECT_EQ(named[1].name, "work");
    EXPECT_FALSE(named[1].relative);
    EXPECT_TRUE(named[2].relative) << "IsRelative=1";
}

}  // namespace
