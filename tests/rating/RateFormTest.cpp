#include <gtest/gtest.h>

#include "net/rating/RateForm.h"

TEST(RateFormEncoding, KeepsOnlyLettersDigitsAndFourMarksAndWritesUpperCaseHex) {
    EXPECT_EQ(EncodeFormText(L"AZaz09*-._"), "AZaz09*-._");
    EXPECT_EQ(EncodeFormText(L"red cat"), "red+cat");
    EXPECT_EQ(EncodeFormText(L"~"), "%7E");
    EXPECT_EQ(EncodeFormText(L"line\r\nnext"), "line%0D%0Anext");
    EXPECT_EQ(EncodeFormText(L"\u00e9"), "%C3%A9");
    EXPECT_EQ(EncodeFormText(L"a&b=c+d%/?"), "a%26b%3Dc%2Bd%25%2F%3F");
    EXPECT_EQ(EncodeFormText(L"{\"x\"}"), "%7B%22x%22%7D");
}

TEST(RateFormEncoding, EncodesCharactersOutsideTheBasicPlaneAsFourBytes) {
    // U+1F600 as a surrogate pair on Windows, one code point elsewhere.
    std::wstring smile;
    if constexpr (sizeof(wchar_t) == 2) {
        smile = {static_cast<wchar_t>(0xD83D), static_cast<wchar_t>(0xDE00)};
    } else {
        smile = {static_cast<wchar_t>(0x1F600)};
    }
    EXPECT_EQ(EncodeFormText(smile), "%F0%9F%98%80");
}

TEST(RateFormEncoding, SplitsEachFieldAtItsFirstEqualsSignOnly) {
    EXPECT_EQ(EncodeFormBody({L"comment_id=123", L"score=1", L"key=a b=c"}), "comment_id=123&score=1&key=a+b%3Dc");
    EXPECT_EQ(EncodeFormBody({L"nickname=red cat"}), "nickname=red+cat");
    EXPECT_EQ(EncodeFormBody({L"key="}), "key=");
    // A field without "=" is encoded whole.
    EXPECT_EQ(EncodeFormBody({L"a b", L"c=d"}), "a+b&c=d");
    EXPECT_EQ(EncodeFormBody({L"", L"c=d"}), "&c=d");
    EXPECT_EQ(EncodeFormBody({}), "");
}

TEST(RateFormEncoding, BuildsTheIdListByHandWithoutEscaping) {
    EXPECT_EQ(PlugIdsJson({L"abc", L"{1}"}), L"[\"abc\",\"{1}\"]");
    EXPECT_EQ(PlugIdsJson({L"one"}), L"[\"one\"]");
    EXPECT_EQ(PlugIdsJson({L"a\"b"}), L"[\"a\"b\"]");
    EXPECT_EQ(PlugIdsJson({}), L"[]");
    // The JSON text is encoded like any other value.
    EXPECT_EQ(EncodeFormBody({L"plug_ids_json=" + PlugIdsJson({L"abc", L"{1}"})}),
              "plug_ids_json=%5B%22abc%22%2C%22%7B1%7D%22%5D");
}
