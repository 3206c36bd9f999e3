#include "net/OnlinePages.h"

#include <gtest/gtest.h>

namespace {

const std::wstring kBuiltIn = L"http://web.test/download.html";

struct BuildCase {
    const char* page;
    std::int32_t build;
};

class UpdatePageBuild : public ::testing::TestWithParam<BuildCase> {};

TEST_P(UpdatePageBuild, TheBuildIsDecimalOrHexadecimalElseTheRunningOne) {
    EXPECT_EQ(ReadUpdatePage(IniText::Parse(GetParam().page), 50, kBuiltIn).Build, GetParam().build)
        << GetParam().page;
}

INSTANTIATE_TEST_SUITE_P(Cases, UpdatePageBuild,
                         ::testing::Values(BuildCase{"[VerInfo]\nbuild=51\n", 51},
                                           BuildCase{"[verinfo]\nBUILD = 0x33\n", 51},
                                           BuildCase{"[VerInfo]\nbuild=50\n", 50},
                                           BuildCase{"[VerInfo]\nbuild=fifty-one\n", 50},
                                           BuildCase{"[VerInfo]\nbuild=\n", 50},
                                           BuildCase{"[Other]\nbuild=99\n", 50},
                                           BuildCase{"<html><body>404 Not Found</body></html>", 50},
                                           BuildCase{"", 50}));

TEST(UpdatePage, TheDownloadPageAndTheNewsLinesComeFromThePage) {
    const UpdatePageInfo info = ReadUpdatePage(
        IniText::Parse("[VerInfo]\r\nbuild=51\r\nNewGetUrl=http://get.test/new.html\r\n[NewInfo]\r\n"
                       "Faster lists\r\nFixed: crash = gone\r\n"),
        50, kBuiltIn);
    EXPECT_EQ(info.DownloadUrl, L"http://get.test/new.html");
    EXPECT_EQ(info.NewInfo, (std::vector<std::wstring>{L"Faster lists", L"Fixed: crash"}));
    const UpdatePageInfo bare = ReadUpdatePage(IniText::Parse("[VerInfo]\nbuild=51\n"), 50, kBuiltIn);
    EXPECT_EQ(bare.DownloadUrl, kBuiltIn);
    EXPECT_TRUE(bare.NewInfo.empty());
}

TEST(NewsPage, EveryKeyHasItsDefault) {
    const NewsPageInfo none = ReadNewsPage(IniText::Parse("[Other]\nMsgID=4\n"), L"http://web.test/news/msg.html");
    EXPECT_EQ(none.MsgID, 0);
    EXPECT_TRUE(none.ShowAll);
    EXPECT_EQ(none.Url, L"http://web.test/news/msg.html");
    EXPECT_EQ(none.FormWidth, 0);
    EXPECT_EQ(none.FormHeight, 0);

    const NewsPageInfo full = ReadNewsPage(
        IniText::Parse("[Msg]\nMsgID=0x8\nShowAll=0\nUrl=http://n.test/m.html\nFormWidth=400\nFormHeight=300\n"),
        L"unused");
    EXPECT_EQ(full.MsgID, 8);
    EXPECT_FALSE(full.ShowAll);
    EXPECT_EQ(full.Url, L"http://n.test/m.html");
    EXPECT_EQ(full.FormWidth, 400);
    EXPECT_EQ(full.FormHeight, 300);
    EXPECT_FALSE(ReadNewsPage(IniText::Parse("[Msg]\nShowAll=2\n"), L"").ShowAll);
}

}  // namespace
