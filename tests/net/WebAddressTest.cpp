#include "net/WebAddress.h"

#include <gtest/gtest.h>

namespace {

struct AddressCase {
    const wchar_t* url;
    bool web;
};

class ServerAddresses : public ::testing::TestWithParam<AddressCase> {};

TEST_P(ServerAddresses, OnlyHttpAndHttpsWithAHostAreWebAddresses) {
    EXPECT_EQ(IsWebAddress(GetParam().url), GetParam().web) << GetParam().url;
}

INSTANTIATE_TEST_SUITE_P(
    Cases, ServerAddresses,
    ::testing::Values(AddressCase{L"http://www.brivosoft.com/download.html", true},
                      AddressCase{L"HTTPS://127.0.0.1:8080/x?a=1&b=2", true},
                      AddressCase{L"https://host", true},
                      AddressCase{L"C:\\Windows\\System32\\calc.exe", false},
                      AddressCase{L"calc.exe", false},
                      AddressCase{L"file:///C:/Windows/win.ini", false},
                      AddressCase{L"javascript:alert(1)", false},
                      AddressCase{L"ftp://host/file", false},
                      AddressCase{L"mailto:a@b.c", false},
                      AddressCase{L"\\\\server\\share\\x.exe", false},
                      AddressCase{L"http:\\\\host\\x", false},
                      AddressCase{L"http://host\\..\\x", false},
                      AddressCase{L"http://", false},
                      AddressCase{L"http:///path", false},
                      AddressCase{L" http://host/", false},
                      AddressCase{L"http://host/a b", false},
                      AddressCase{L"http://host/\r\nx", false},
                      AddressCase{L"", false},
                      AddressCase{L"httpx://host/", false}));

TEST(PercentEncoding, UnreservedCharactersStayAndEveryOtherByteIsEncoded) {
    EXPECT_EQ(PercentEncode(L"Az09-._~"), "Az09-._~");
    EXPECT_EQ(PercentEncode(L"1.02.50"), "1.02.50");
    EXPECT_EQ(PercentEncode(L"C:\\Program Files\\Brivo & Co\\Languages\\English.ini"),
              "C%3A%5CProgram%20Files%5CBrivo%20%26%20Co%5CLanguages%5CEnglish.ini");
    EXPECT_EQ(PercentEncode(L"a=b+c?#/%"), "a%3Db%2Bc%3F%23%2F%25");
    // UTF-8 bytes, upper-case hexadecimal.
    EXPECT_EQ(PercentEncode(L"Fran\u00E7ais \u65E5\u672C"), "Fran%C3%A7ais%20%E6%97%A5%E6%9C%AC");
    EXPECT_EQ(PercentEncode(L""), "");
}

}  // namespace
