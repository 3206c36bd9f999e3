#include "net/AdFeed.h"

#include <gtest/gtest.h>

namespace {

std::string Ad(int align, const std::string& imgsrc, const std::string& extra = "",
               const std::string& colour = "#FF0000") {
    return "{\"align\":" + std::to_string(align) +
           ",\"frame\":1,\"title\":\"T\\u00e9\",\"tips\":\"tip\",\"link\":\"http://l.test/\"," +
           (imgsrc == "-" ? std::string() : "\"imgsrc\":\"" + imgsrc + "\",") + "\"fontcolor\":\"" + colour +
           "\",\"fontcolorover\":\"#00ff80\",\"fontname\":\"Tahoma\",\"fontsize\":9,\"interval\":5,"
           "\"life\":60" +
           extra + ",\"rect\":{\"left\":1,\"top\":2,\"right\":170,\"bottom\":100}}";
}

std::string Feed(const std::string& groups, const std::string& header = "") {
    return "{\"msg\":1,\"adcheckurl\":\"http://ad.test/ad1.php\",\"adid\":\"id7\",\"adlang\":\"English\","
           "\"adver\":\"3\",\"adrefresh\":600," +
           header + "\"adgroup\":[" + groups + "]}";
}

AdFeedContent Read(const std::string& text) {
    std::optional<JsonDocument> doc = JsonDocument::Parse(text);
    EXPECT_TRUE(doc) << text;
    return doc ? ReadAdFeed(doc->Root()) : AdFeedContent{};
}

TEST(AdFeed, HeaderGroupsAndAdvertisementsAreReadInOrder) {
    const AdFeedContent feed =
        Read(Feed("{\"kind\":1,\"page\":2,\"adinfo\":[" + Ad(0, "http://p.test/a/banner.png") + "," + Ad(5, "-") +
                  "]},{\"kind\":0,\"page\":\"3\",\"adinfo\":[]}"));
    ASSERT_TRUE(feed.Complete);
    EXPECT_EQ(feed.Header.CheckUrl, L"http://ad.test/ad1.php");
    EXPECT_EQ(feed.Header.AdId, L"id7");
    EXPECT_EQ(feed.Header.Lang, L"English");
    EXPECT_EQ(feed.Header.AdVer, L"3");
    EXPECT_EQ(feed.Header.AdRefresh, 600);
    ASSERT_EQ(feed.Groups.size(), 2u);
    const AdFeedGroup& first = feed.Groups[0];
    EXPECT_EQ(first.Index, 0);
    EXPECT_EQ(first.Kind, 1);
    EXPECT_EQ(first.Page, 2);
    EXPECT_EQ(first.GroupCount, 2);
    EXPECT_EQ(first.RemainingLife, 60);
    ASSERT_EQ(first.Ads.size(), 2u);
    const TagBrivoAdFields& ad = first.Ads[0];
    EXPECT_EQ(ad.Index, 0);
    EXPECT_EQ(ad.Align, 0);
    EXPECT_EQ(ad.Frame, 1);
    EXPECT_EQ(ad.Title, L"T\u00e9");
    EXPECT_EQ(ad.Tips, L"tip");
    EXPECT_EQ(ad.Link, L"http://l.test/");
    EXPECT_EQ(ad.ImgSrc, L"http://p.test/a/banner.png");
    EXPECT_EQ(ad.FontColor, 0x0000FFu);
    EXPECT_EQ(ad.FontColorOver, 0x80FF00u);
    EXPECT_EQ(ad.FontName, L"Tahoma");
    EXPECT_EQ(ad.FontSize, 9);
    EXPECT_EQ(ad.Interval, 5);
    EXPECT_EQ(ad.Life, 60);
    EXPECT_EQ(ad.Rect.Left, 1);
    EXPECT_EQ(ad.Rect.Top, 2);
    EXPECT_EQ(ad.Rect.Right, 170);
    EXPECT_EQ(ad.Rect.Bottom, 100);
    EXPECT_EQ(ad.Page, 2);
    EXPECT_EQ(ad.Kind, 1);
    // Align 5 needs no picture address.
    EXPECT_EQ(first.Ads[1].Index, 1);
    EXPECT_EQ(first.Ads[1].ImgSrc, L"");
    EXPECT_EQ(feed.Groups[1].Page, 3);
    EXPECT_EQ(feed.Groups[1].Index, 1);
}

TEST(AdFeed, AFaultEndsTheReadingAndKeepsWhatCameBefore) {
    // The second advertisement lacks its picture address.
    AdFeedContent feed = Read(Feed("{\"kind\":0,\"page\":0,\"adinfo\":[" + Ad(4, "http://p/x.png") + "," +
                                   Ad(4, "-") + "," + Ad(4, "http://p/y.png") + "]}"));
    EXPECT_FALSE(feed.Complete);
    ASSERT_EQ(feed.Groups.size(), 1u);
    EXPECT_EQ(feed.Groups[0].Ads.size(), 1u);

    // A colour that is not #RRGGBB.
    feed = Read(Feed("{\"kind\":0,\"page\":0,\"adinfo\":[" + Ad(5, "-", "", "red") + "]}"));
    EXPECT_FALSE(feed.Complete);
    EXPECT_TRUE(feed.Groups.at(0).Ads.empty());

    // A header member missing: nothing is built.
    feed = Read("{\"msg\":1,\"adcheckurl\":\"\",\"adid\":\"\",\"adver\":\"1\",\"adrefresh\":1,\"adgroup\":[]}");
    EXPECT_FALSE(feed.HeaderRead);
    EXPECT_TRUE(feed.Groups.empty());

    // Wrong types: an extra member is no fault, a group list that is no
    // array, a "rect" that is no object and a text font size are.
    EXPECT_TRUE(Read(Feed("", "\"x\":0,")).Complete);
    EXPECT_FALSE(Read("{\"msg\":1,\"adcheckurl\":\"\",\"adid\":\"\",\"adlang\":\"\",\"adver\":\"1\","
                      "\"adrefresh\":1,\"adgroup\":{}}")
                     .Complete);
    feed = Read(Feed("{\"kind\":0,\"page\":0,\"adinfo\":[" +
                     Ad(4, "p").replace(Ad(4, "p").find("\"rect\""), 6, "\"rekt\"") + "]}"));
    EXPECT_FALSE(feed.Complete);
    EXPECT_TRUE(feed.Groups.at(0).Ads.empty());
    std::string sized = Ad(4, "p");
    sized.replace(sized.find("\"fontsize\":9"), 12, "\"fontsize\":\"big\"");
    EXPECT_FALSE(Read(Feed("{\"kind\":0,\"page\":0,\"adinfo\":[" + sized + "]}")).Complete);
    EXPECT_FALSE(Read(Feed("[1]")).Complete);
    EXPECT_FALSE(Read("[]").Complete);
}

TEST(AdFeed, TheReplyCodeIsAnIntegerMsg) {
    EXPECT_EQ(AdReplyCodeOf(JsonDocument::Parse("{\"msg\":3}")->Root()), 3);
    EXPECT_EQ(AdReplyCodeOf(JsonDocument::Parse("{\"msg\":\"2\"}")->Root()), 2);
    EXPECT_EQ(AdReplyCodeOf(JsonDocument::Parse("{\"msgs\":1}")->Root()), std::nullopt);
    EXPECT_EQ(AdReplyCodeOf(JsonDocument::Parse("{\"msg\":[1]}")->Root()), std::nullopt);
    EXPECT_EQ(AdReplyCodeOf(JsonDocument::Parse("[1]")->Root()), std::nullopt);
}

TEST(AdFeed, TheRequestCarriesEveryValuePercentEncoded) {
    EXPECT_EQ(AdRequestUrl(L"http://ad.test/ad/ad1.php", L"1.02.50",
                           L"C:\\Program Files\\Brivo & Co\\Languages\\Fran\u00e7ais.ini", L"0"),
              L"http://ad.test/ad/ad1.php?name=kolt&ver=1.02.50"
              L"&lang=C%3A%5CProgram%20Files%5CBrivo%20%26%20Co%5CLanguages%5CFran%C3%A7ais.ini&adver=0");
}

TEST(AdFeed, ColoursAreReadAsRedGreenBlue) {
    EXPECT_EQ(HexToColor(L"#FF0000"), 0x0000FFu);
    EXPECT_EQ(HexToColor(L"#00ff00"), 0x00FF00u);
    EXPECT_EQ(HexToColor(L"#0000FF"), 0xFF0000u);
    EXPECT_EQ(HexToColor(L"x123456"), 0x563412u);  // the first character is not checked
    EXPECT_EQ(HexToColor(L"#12345678"), 0x563412u);
    EXPECT_EQ(HexToColor(L""), 0u);
    EXPECT_EQ(HexToColor(L"#12345"), std::nullopt);
    EXPECT_EQ(HexToColor(L"#GG0000"), std::nullopt);
    EXPECT_EQ(HexToColor(L"red"), std::nullopt);
}

struct NameCase {
    const wchar_t* imgsrc;
    const wchar_t* name;  // nullptr: not cached
};

class CacheNames : public ::testing::TestWithParam<NameCase> {};

TEST_P(CacheNames, OnlyAPlainFileNameIsUsed) {
    const std::optional<std::wstring> name = CachedPictureName(GetParam().imgsrc);
    if (GetParam().name)
        EXPECT_EQ(name, std::wstring(GetParam().name)) << GetParam().imgsrc;
    else
        EXPECT_EQ(name, std::nullopt) << GetParam().imgsrc;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, CacheNames,
    ::testing::Values(NameCase{L"http://ad.test/pic/banner.png", L"banner.png"},
                      NameCase{L"http://ad.test/a/b/ff0000_10x10.png", L"ff0000_10x10.png"},
                      NameCase{L"banner.png", L"banner.png"},
                      NameCase{L"http://ad.test/pic/..\\..\\..\\evil.png", nullptr},
                      NameCase{L"http://ad.test/pic/C:\\evil.png", nullptr},
                      NameCase{L"http://ad.test/pic/..", nullptr},
                      NameCase{L"http://ad.test/pic/", nullptr},
                      NameCase{L"http://ad.test/pic/CON.png", nullptr},
                      NameCase{L"http://ad.test/pic/nul", nullptr},
                      NameCase{L"http://ad.test/pic/com1.txt", nullptr},
                      NameCase{L"http://ad.test/pic/Lpt9", nullptr},
                      NameCase{L"http://ad.test/pic/console.png", L"console.png"},
                      NameCase{L"http://ad.test/pic/x.png?v=2", nullptr},
                      NameCase{L"http://ad.test/pic/x.png.", nullptr},
                      NameCase{L"http://ad.test/pic/x.png ", nullptr},
                      NameCase{L"http://ad.test/pic/a\tb.png", nullptr},
                      NameCase{L"http://ad.test/pic/x:stream.png", nullptr}));

TEST(CacheNamesLength, ALongNameIsRefused) {
    EXPECT_EQ(CachedPictureName(L"http://a/" + std::wstring(116, L'a') + L".png"), std::wstring(116, L'a') + L".png");
    EXPECT_EQ(CachedPictureName(L"http://a/" + std::wstring(117, L'a') + L".png"), std::nullopt);
}

TEST(AdReports, AKindOneGroupReportsOnlyItsFirst) {
    EXPECT_TRUE(IsReportedAd(1, 0));
    EXPECT_FALSE(IsReportedAd(1, 1));
    EXPECT_FALSE(IsReportedAd(1, 5));
    EXPECT_TRUE(IsReportedAd(0, 3));
    EXPECT_TRUE(IsReportedAd(2, 1));
}

}  // namespace
