#include "net/WebFetch.h"

#include <windows.h>
#include <wininet.h>

#include "platform/AnsiText.h"
#include "net/LoopbackServer.h"

namespace {

bool InUrlCache(const std::wstring& url) {
    DWORD size = 0;
    GetUrlCacheEntryInfoW(url.c_str(), nullptr, &size);
    return GetLastError() == ERROR_INSUFFICIENT_BUFFER;
}

using FetchingText = LoopbackServerTest;

TEST_F(FetchingText, APageArrivesAsItsText) {
    EXPECT_EQ(HttpGetText(Url(L"/page.html")), L"<html><body><p>Brivo test page</p></body></html>\n");
}

TEST_F(FetchingText, ARedirectIsFollowedToItsTarget) {
    const int before = server->Hits(L"/page.html");
    EXPECT_EQ(HttpGetText(Url(L"/redirect")), L"<html><body><p>Brivo test page</p></body></html>\n");
    EXPECT_EQ(server->Hits(L"/page.html"), before + 1);
}

TEST_F(FetchingText, AnErrorPageYieldsItsBody) {
    EXPECT_EQ(HttpGetText(Url(L"/missing.html")), L"<html><body>404 Not Found</body></html>");
}

TEST_F(FetchingText, AnAnswerPastTheLimitIsDroppedAndOneBelowItKept) {
    EXPECT_EQ(HttpGetText(Url(L"/huge")), L"");
    const std::wstring below = HttpGetText(Url(L"/huge?mb=3.9"));
    EXPECT_EQ(below.substr(0, 9), L"[VerInfo]");
    EXPECT_GT(below.size(), 3u * 1024 * 1024);
}

TEST_F(FetchingText, APageIsCutAtItsFirstZeroByte) {
    EXPECT_EQ(HttpGetText(Url(L"/zero.html")), L"before");
}

TEST_F(FetchingText, AnEmptyAnswerAndAnUnreachableAddressYieldNothing) {
    EXPECT_EQ(HttpGetText(Url(L"/empty")), L"");
    EXPECT_EQ(HttpGetText(Unreachable()), L"");
    EXPECT_EQ(HttpGetText(L"not an address"), L"");
}

TEST_F(FetchingText, ASlowAnswerIsWaitedFor) {
    const ULONGLONG start = GetTickCount64();
    EXPECT_EQ(HttpGetText(Url(L"/slow?ms=1200")), L"slow answer");
    EXPECT_GE(GetTickCount64() - start, 1100u);
}

TEST_F(FetchingText, Utf8LettersAreDecodedInTheAnsiCodePage) {
    // "Café über" in UTF-8 read as code page bytes: each letter becomes two characters.
    EXPECT_EQ(HttpGetText(Url(L"/utf8.html")), AnsiToWide("Caf\xC3\xA9 \xC3\xBC" "ber"));
    if (GetACP() == 1252) {
        EXPECT_EQ(HttpGetText(Url(L"/utf8.html")), L"Caf\u00C3\u00A9 \u00C3\u00BCber");
    }
}

TEST_F(FetchingText, TheCharsetLineIsSentWithAnEmptyAgentName) {
    const std::wstring headers = HttpGetText(Url(L"/headers"));
    EXPECT_NE(headers.find(L"Accept-Charset: utf-8\n"), std::wstring::npos) << headers;
    EXPECT_NE(headers.find(L"User-Agent: \n"), std::wstring::npos) << headers;
}

TEST_F(FetchingText, EveryFetchGoesToTheServerAndNothingIsCached) {
    // The answer says it may be cached for an hour.
    const std::wstring url = Url(L"/count?fresh=") + std::to_wstring(GetTickCount64());
    const std::wstring first = HttpGetText(url);
    const std::wstring second = HttpGetText(url);
    EXPECT_EQ(first.rfind(L"hit ", 0), 0u);
    EXPECT_NE(first, second);
    EXPECT_FALSE(InUrlCache(url));
}

using FetchingPictures = LoopbackServerTest;

TEST_F(FetchingPictures, APngArrivesAsAPicture) {
    AddonPicture red = HttpGetPng(Url(L"/red.png"));
    ASSERT_TRUE(red);
    EXPECT_EQ(red->GetWidth(), 16u);
    EXPECT_EQ(red->GetHeight(), 16u);
    EXPECT_EQ(PixelAt(*red, 3, 5), (Pixel{255, 255, 0, 0}));

    AddonPicture blue = HttpGetPng(Url(L"/blue.png"));
    ASSERT_TRUE(blue);
    EXPECT_EQ(blue->GetWidth(), 32u);
    EXPECT_EQ(blue->GetHeight(), 24u);
    EXPECT_EQ(PixelAt(*blue, 31, 23).a, 128);
}

TEST_F(FetchingPictures, ARedirectIsFollowed) {
    AddonPicture picture = HttpGetPng(Url(L"/redirect.png"));
    ASSERT_TRUE(picture);
    EXPECT_EQ(picture->GetWidth(), 16u);
}

TEST_F(FetchingPictures, AnErrorPageOrAJpegIsNotTakenForAPicture) {
    // GDI+ itself would read the JPEG (and make sure GDI+ is started).
    ASSERT_TRUE(HttpGetPng(Url(L"/red.png")));
    ASSERT_TRUE(IsSomePicture(RawHttpGet(Url(L"/photo.jpg"))));
    EXPECT_THROW(HttpGetPng(Url(L"/missing.png")), PictureDecodeError);
    EXPECT_THROW(HttpGetPng(Url(L"/photo.jpg")), PictureDecodeError);
    EXPECT_THROW(HttpGetPng(Url(L"/jpeg.png")), PictureDecodeError);
    EXPECT_THROW(HttpGetPng(Url(L"/zero.html")), PictureDecodeError);
}

TEST_F(FetchingPictures, AnAnswerPastThePictureLimitGivesNoPicture) {
    EXPECT_FALSE(HttpGetPng(Url(L"/huge.png")));
    EXPECT_TRUE(HttpGetPng(Url(L"/red.png")));
}

TEST_F(FetchingPictures, AnEmptyAnswerOrAnUnreachableAddressGivesNoPicture) {
    EXPECT_FALSE(HttpGetPng(Url(L"/empty")));
    EXPECT_FALSE(HttpGetPng(Unreachable()));
}

TEST_F(FetchingPictures, APictureMayBeKeptInTheLocalCache) {
    const std::wstring url = Url(L"/cached.png?n=") + std::to_wstring(GetTickCount64());
    ASSERT_TRUE(HttpGetPng(url));
    EXPECT_TRUE(InUrlCache(url));
}

}  // namespace
