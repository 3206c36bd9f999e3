#include <gtest/gtest.h>

#include "net/rating/RateReply.h"

namespace {

std::string Utf16Body(const std::u16string& text) {
    std::string body("\xFF\xFE", 2);
    for (const char16_t c : text) {
        body += static_cast<char>(c & 0xFF);
        body += static_cast<char>(c >> 8);
    }
    return body;
}

}  // namespace

TEST(RateReplyReading, SkipsWhateverComesBeforeTheFirstBraceAndIgnoresWhatFollowsTheObject) {
    const std::string bom = "\xEF\xBB\xBF";
    for (const std::string& body :
         {std::string("{\"msg\":13,\"key\":\"K1\"}"), bom + "{\"msg\":13,\"key\":\"K1\"}",
          std::string("  \r\n{\"msg\":13,\"key\":\"K1\"}"),
          bom + "Warning: mysql_connect() is deprecated\r\n{\"msg\":13,\"key\":\"K1\"}",
          std::string("{\"msg\":13,\"key\":\"K1\"}\r\n<!-- 0.002 s --> {\"msg\":0}")}) {
        const auto reply = TRateReply::Read(body);
        ASSERT_TRUE(reply) << body;
        EXPECT_EQ(reply->Code(), 13) << body;
        EXPECT_EQ(reply->Root().String("key"), L"K1") << body;
    }
}

TEST(RateReplyReading, BodiesWithoutACompleteObjectAreUnreadable) {
    for (const std::string& body : {std::string(), std::string("msg=9\r\nabc=4.5"),
                                    std::string("<html><body>error</body></html>"), std::string("{\"msg\":4"),
                                    std::string("{msg:4}"), std::string("}{"),
                                    std::string("\xFF\xFE", 2)}) {
        EXPECT_FALSE(TRateReply::Read(body)) << body;
    }
    // An array before the object: the object is what counts.
    EXPECT_TRUE(TRateReply::Read("[1,2] {\"msg\":5}"));
}

TEST(RateReplyReading, ByteOrderMarkFFFEMeansUtf16LittleEndian) {
    const auto reply = TRateReply::Read(Utf16Body(u"{\"msg\":4,\"c_id\":77,\"nickname\":\"Caf\u00e9 \U0001F600\"}"));
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Code(), 4);
    EXPECT_EQ(reply->Root().Integer("c_id"), 77);
    const std::wstring nickname = reply->Root().String("nickname");
    ASSERT_GE(nickname.size(), 6u);
    EXPECT_EQ(nickname.substr(0, 5), L"Caf\u00e9 ");
    if constexpr (sizeof(wchar_t) == 2) {
        EXPECT_EQ(nickname.substr(5), std::wstring({static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)}));
    }
}

TEST(RateReplyReading, EachByteIsOneCharacterSoOnlyEscapesCarryOtherText) {
    const auto reply = TRateReply::Read("{\"a\":\"\\u00e9\\u4e2d\",\"b\":\"\xC3\xA9\"}");
    ASSERT_TRUE(reply);
    EXPECT_EQ(reply->Root().String("a"), L"\u00e9\u4e2d");
    // Raw UTF-8 bytes come out as two Latin-1 characters.
    EXPECT_EQ(reply->Root().String("b"), L"\u00c3\u00a9");
}

TEST(RateReplyReading, FieldsReadWithDefaultsAndNumbersReadAsStringsGiveTheirDigits) {
    const auto reply = TRateReply::Read(
        "{\"id\":1234,\"big\":12345678901,\"text\":\"17\",\"avg\":3.75,\"avgText\":\"4.5\",\"neg\":-2,"
        "\"float\":2.5,\"nothing\":null,\"obj\":{}}");
    ASSERT_TRUE(reply);
    const TRateObject& r = reply->Root();
    EXPECT_EQ(reply->Code(), 0);  // no "msg"
    EXPECT_EQ(r.String("id"), L"1234");
    EXPECT_EQ(r.String("big"), L"12345678901");
    EXPECT_EQ(r.String("float"), L"2.5");
    EXPECT_EQ(r.String("missing"), L"");
    EXPECT_EQ(r.String("nothing"), L"");
    EXPECT_EQ(r.Integer("text"), 17);
    EXPECT_EQ(r.Integer("neg"), -2);
    EXPECT_EQ(r.Integer("float"), 2);
    EXPECT_EQ(r.Integer("obj"), 0);
    EXPECT_DOUBLE_EQ(r.Float("avg"), 3.75);
    EXPECT_DOUBLE_EQ(r.Float("avgText"), 4.5);
    EXPECT_DOUBLE_EQ(r.Float("missing"), 0.0);
    EXPECT_DOUBLE_EQ(r.Float("id"), 1234.0);
}

TEST(RateReplyReading, PlugInformationReadsTheIdTheAverageAndTheStarCounts) {
    const auto info = TRateReply::Read(
        "{\"msg\":1,\"id\":42,\"ratings_average\":3.5,\"ratings_cache\":{\"1\":1,\"2\":\"2\",\"4\":7,\"5\":0}}");
    ASSERT_TRUE(info);
    const TPlugInfo plug = info->PlugInfo();
    EXPECT_EQ(plug.ServerPlugId, L"42");
    EXPECT_DOUBLE_EQ(plug.RatingsAverage, 3.5);
    EXPECT_EQ(plug.StarCounts, (std::array<int, 5>{1, 2, 0, 7, 0}));
    EXPECT_TRUE(plug.HasRatingsCache);
}

TEST(RateReplyReading, PlugInformationWithoutACountsObjectStillGivesTheIdAndTheAverage) {
    for (const char* body : {"{\"msg\":1,\"id\":42,\"ratings_average\":2.5}",
                             "{\"msg\":1,\"id\":\"42\",\"ratings_average\":2.5,\"ratings_cache\":[1,2]}",
                             "{\"msg\":1,\"id\":42,\"ratings_average\":\"2.5\",\"ratings_cache\":null}"}) {
        const auto reply = TRateReply::Read(body);
        ASSERT_TRUE(reply) << body;
        const TPlugInfo plug = reply->PlugInfo();
        EXPECT_EQ(plug.ServerPlugId, L"42") << body;
        EXPECT_DOUBLE_EQ(plug.RatingsAverage, 2.5) << body;
        EXPECT_EQ(plug.StarCounts, (std::array<int, 5>{})) << body;
        // The reviews window keeps its counts for such a reply.
        EXPECT_FALSE(plug.HasRatingsCache) << body;
    }
}

TEST(RateReplyReading, ReviewsComeInOrderAndNonObjectsAreSkipped) {
    const auto reply = TRateReply::Read(
        "{\"msg\":6,\"comment\":[{\"id\":9,\"nickname\":\"red cat\",\"content\":\"a\\r\\nb\",\"score\":4,"
        "\"date\":\"2026-11-02\"},7,{\"id\":\"10\",\"score\":5}]}");
    ASSERT_TRUE(reply);
    const auto reviews = reply->Reviews();
    ASSERT_EQ(reviews.size(), 2u);
    EXPECT_EQ(reviews[0].CommentId, 9);
    EXPECT_EQ(reviews[0].Nickname, L"red cat");
    EXPECT_EQ(reviews[0].Content, L"a\r\nb");
    EXPECT_EQ(reviews[0].Score, 4);
    EXPECT_EQ(reviews[0].Date, L"2026-11-02");
    EXPECT_EQ(reviews[1].CommentId, 10);
    EXPECT_EQ(reviews[1].Nickname, L"");
    EXPECT_TRUE(TRateReply::Read("{\"msg\":5,\"comment\":[]}")->Reviews().empty());
    EXPECT_TRUE(TRateReply::Read("{\"msg\":5}")->Reviews().empty());
}
