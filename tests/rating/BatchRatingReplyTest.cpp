#include <gtest/gtest.h>

#include "net/rating/BatchRatingReply.h"
#include "net/rating/DecimalText.h"

namespace {

using Ratings = std::vector<std::pair<size_t, int>>;

}  // namespace

TEST(BatchRatingReplyReading, MatchesIdsWithoutRegardToCaseAndIgnoresTextAfterTheComma) {
    const auto reply = ReadBatchRatingReply("msg=9\r\nABC=4.5,17\r\n{1}=3.75,2\r\nother=1\r\n", {L"abc", L"{1}", L"x"});
    ASSERT_FALSE(reply.Unreadable);
    EXPECT_EQ(reply.Code, 9);
    EXPECT_EQ(reply.Ratings, (Ratings{{0, 45}, {1, 37}}));
}

TEST(BatchRatingReplyReading, LinesMayEndInCrLfLfOrCrAndTheFirstMatchingLineCounts) {
    const auto reply = ReadBatchRatingReply("a=1\nmsg=9\rb=2.9\r\nA=5\nB=0.1\r", {L"a", L"b"});
    EXPECT_EQ(reply.Code, 9);
    EXPECT_EQ(reply.Ratings, (Ratings{{0, 10}, {1, 29}}));
}

TEST(BatchRatingReplyReading, RecordsWithoutAUsableNumberAreLeftOut) {
    const auto reply = ReadBatchRatingReply(
        "msg=9\r\nempty=\r\nword=good\r\ncomma=4,5\r\nlocal=4,5,3\r\nhalf=.5\r\nplain=4\r\nneg=-1\r\nhigh=7.5\r\n"
        "exp=4e0\r\nspaced= 3.5 ,1\r\nwide=\xEF\xBC\x94\r\n",
        {L"missing", L"empty", L"word", L"comma", L"local", L"half", L"plain", L"neg", L"high", L"exp", L"spaced",
         L"wide"});
    // "4,5" is the number 4 followed by the ignored text "5".
    EXPECT_EQ(reply.Ratings, (Ratings{{3, 40}, {4, 40}, {5, 5}, {6, 40}, {10, 35}}));
}

TEST(BatchRatingReplyReading, AMissingOrNonNumericMsgIsUnreadableAndOtherCodesCarryNoRatings) {
    EXPECT_TRUE(ReadBatchRatingReply("abc=4.5\r\n", {L"abc"}).Unreadable);
    EXPECT_TRUE(ReadBatchRatingReply("msg=nine\r\nabc=4.5\r\n", {L"abc"}).Unreadable);
    EXPECT_TRUE(ReadBatchRatingReply("msg=\r\n", {L"abc"}).Unreadable);
    EXPECT_TRUE(ReadBatchRatingReply("", {L"abc"}).Unreadable);
    // A JSON object instead of lines has no line named "msg".
    EXPECT_TRUE(ReadBatchRatingReply("{\"msg\":9,\"abc\":4.5}", {L"abc"}).Unreadable);
    const auto refused = ReadBatchRatingReply("msg=0\r\nabc=4.5\r\n", {L"abc"});
    EXPECT_FALSE(refused.Unreadable);
    EXPECT_EQ(refused.Code, 0);
    EXPECT_TRUE(refused.Ratings.empty());
    EXPECT_EQ(ReadBatchRatingReply("MSG=12", {}).Code, 12);
}

TEST(BatchRatingReplyReading, NonAsciiIdsMatchAsTheyAre) {
    const auto reply = ReadBatchRatingReply("msg=9\ncaf\xC3\xA9-menu@bistro.example=2.5,4\n",
                                            {L"caf\u00e9-menu@bistro.example"});
    EXPECT_EQ(reply.Ratings, (Ratings{{0, 25}}));
}

TEST(DecimalNumbers, AlwaysUseThePointAndTruncateTenthsFromTheDigits) {
    EXPECT_EQ(ParseTenths("3.75"), 37);
    EXPECT_EQ(ParseTenths("4.6"), 46);
    EXPECT_EQ(ParseTenths("0.99"), 9);
    EXPECT_EQ(ParseTenths("5"), 50);
    EXPECT_EQ(ParseTenths("-1.25"), -12);
    EXPECT_EQ(ParseTenths("4."), 40);
    EXPECT_FALSE(ParseTenths("4,5"));
    EXPECT_FALSE(ParseTenths("."));
    EXPECT_FALSE(ParseTenths("1.2.3"));
    EXPECT_FALSE(ParseTenths("1234567890123456"));
    EXPECT_DOUBLE_EQ(*ParseDecimal("3.75"), 3.75);
    EXPECT_DOUBLE_EQ(*ParseDecimal(" -0.5\t"), -0.5);
    EXPECT_EQ(*ParseDecimal("0.1"), 0.1);
    EXPECT_FALSE(ParseDecimal("1e3"));
    EXPECT_FALSE(ParseDecimal(""));
}
