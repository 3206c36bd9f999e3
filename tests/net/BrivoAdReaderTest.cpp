// The advertisement reader against the loopback server: what each feed code
// does with the cache folder, which advertisements are reported and when,
// and that server-chosen picture names never leave the cache folder.
#include "net/BrivoAdReader.h"

#include <fstream>
#include <set>
#include <string>
#include <vector>

#include "json/JsonDocument.h"
#include "net/LoopbackServer.h"
#include "platform/FileUtil.h"
#include "platform/Utf.h"

namespace {

std::string Ad(int align, const std::wstring& imgsrc, const char* title) {
    return std::string("{\"align\":") + std::to_string(align) + ",\"frame\":0,\"title\":\"" + title +
           "\",\"tips\":\"\",\"link\":\"http://l.test/\",\"imgsrc\":\"" + ToUtf8(imgsrc) +
           "\",\"fontcolor\":\"#FF0000\",\"fontcolorover\":\"\",\"fontname\":\"Tahoma\",\"fontsize\":9,"
           "\"interval\":0,\"life\":0,\"rect\":{\"left\":0,\"top\":0,\"right\":170,\"bottom\":100}}";
}

std::string Feed(int code, const std::string& groups) {
    return "{\"msg\":" + std::to_string(code) +
           ",\"adcheckurl\":\"\",\"adid\":\"a\",\"adlang\":\"English\",\"adver\":\"5\",\"adrefresh\":60,"
           "\"adgroup\":[" + groups + "]}";
}

std::string Group(int kind, const std::vector<std::string>& ads) {
    std::string list;
    for (const std::string& ad : ads) list += (list.empty() ? "" : ",") + ad;
    return "{\"kind\":" + std::to_string(kind) + ",\"page\":0,\"adinfo\":[" + list + "]}";
}

std::set<std::wstring> FilesUnder(const std::wstring& folder) {
    std::set<std::wstring> names;
    WIN32_FIND_DATAW found{};
    HANDLE search = FindFirstFileW((folder + L"*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        names.insert(name);
    } while (FindNextFileW(search, &found));
    FindClose(search);
    return names;
}

class AdReader : public LoopbackServerTest {
protected:
    void SetUp() override {
        LoopbackServerTest::SetUp();
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        root = std::wstring(temp) + L"brivo-ads-" + std::to_wstring(GetCurrentProcessId()) + L"\\";
        cache = root + L"deep\\UpdateInfo\\";
        Clear();
        CreateDirectoryW(root.c_str(), nullptr);
        CreateDirectoryW((root + L"deep").c_str(), nullptr);
        CreateDirectoryW(cache.c_str(), nullptr);
    }
    void TearDown() override { Clear(); }

    void Clear() {
        for (const std::wstring& folder : {cache, root + L"deep\\", root}) {
            for (const std::wstring& name : FilesUnder(folder)) DeleteFileW((folder + name).c_str());
            RemoveDirectoryW(folder.c_str());
        }
    }

    // Parses the feed and waits until the downloads it started have ended.
    std::vector<std::wstring> Run(const std::string& feed, unsigned waitMs = 1500) {
        TBrivoADReader reader;
        reader.CacheFolder = cache;
        std::vector<std::wstring> reported;
        reader.OnAdReady = [&](TBrivoADReader&, const TagBrivoAdInfo& ad) {
            reported.push_back(ad.Title);
            if (ad.Align != 5 && !ad.ImgSrc.empty()) {
                EXPECT_TRUE(ad.Image) << ad.Title;
            }
        };
        reader.ParseFeed(feed);
        PumpMessagesFor(waitMs);
        lastCode = reader.ReplyCode;
        noAds = reader.NoAds;
        return reported;
    }

    std::wstring root;
    std::wstring cache;
    int lastCode = -1;
    bool noAds = false;
};

TEST_F(AdReader, CodeThreeCachesTheFeedAndThePictureAndCodeZeroShowsThemWithoutDownloads) {
    const std::string feed = Feed(3, Group(0, {Ad(1, Url(L"/red.png"), "red")}));
    const int before = server->Hits(L"/red.png");
    EXPECT_EQ(Run(feed), std::vector<std::wstring>{L"red"});
    EXPECT_EQ(server->Hits(L"/red.png"), before + 1);
    EXPECT_EQ(FilesUnder(cache), (std::set<std::wstring>{L"UpdateInfo.txt", L"red.png"}));
    // The compact escaped form of the received feed.
    const std::optional<JsonDocument> cached = JsonDocument::LoadFile(cache + L"UpdateInfo.txt");
    ASSERT_TRUE(cached);
    EXPECT_EQ(cached->ToText(), JsonDocument::Parse(feed)->ToText());

    // Code 0: the cached feed and picture, nothing fetched.
    EXPECT_EQ(Run("{\"msg\":0}", 300), std::vector<std::wstring>{L"red"});
    EXPECT_EQ(server->Hits(L"/red.png"), before + 1);
}

TEST_F(AdReader, CodeZeroWithoutCacheAndCodeTwoShowNothingAndCacheNothing) {
    EXPECT_TRUE(Run("{\"msg\":0}", 100).empty());
    EXPECT_TRUE(Run(Feed(2, Group(0, {Ad(5, L"", "never")})), 100).empty());
    EXPECT_TRUE(noAds);
    EXPECT_TRUE(FilesUnder(cache).empty());
    EXPECT_TRUE(Run("not json", 100).empty());
    EXPECT_TRUE(Run("{\"nomsg\":1}", 100).empty());
}

TEST_F(AdReader, AnotherCodeShowsTheFeedWithoutCachingIt) {
    EXPECT_EQ(Run(Feed(4, Group(0, {Ad(5, L"", "text only")})), 100), std::vector<std::wstring>{L"text only"});
    EXPECT_EQ(lastCode, 4);
    EXPECT_TRUE(FilesUnder(cache).empty());
}

TEST_F(AdReader, AKindOneGroupReportsItsFirstAndOtherGroupsEveryOne) {
    const std::vector<std::wstring> reported =
        Run(Feed(4, Group(1, {Ad(5, L"", "k1 first"), Ad(5, L"", "k1 second")}) + "," +
                        Group(0, {Ad(0, L"", "empty imgsrc"), Ad(5, L"", "last")})),
            100);
    EXPECT_EQ(reported, (std::vector<std::wstring>{L"k1 first", L"empty imgsrc", L"last"}));
}

TEST_F(AdReader, APictureThatFailsIsNeverReported) {
    const std::vector<std::wstring> reported =
        Run(Feed(4, Group(0, {Ad(4, Url(L"/photo.jpg"), "jpeg"), Ad(4, Url(L"/missing.png"), "missing"),
                              Ad(4, Url(L"/huge.png"), "huge"), Ad(4, L"http://127.0.0.1:9/x.png", "unreachable"),
                              Ad(4, L"file:///C:/x.png", "local")})));
    EXPECT_TRUE(reported.empty());
    EXPECT_TRUE(FilesUnder(cache).empty());
}

TEST_F(AdReader, HostilePictureNamesAreNeitherCachedNorShown) {
    const std::wstring base = Url(L"/");
    const std::vector<std::wstring> reported = Run(Feed(
        3, Group(0, {Ad(4, base + L"..\\\\..\\\\evil.png", "up"), Ad(4, base + L"C:\\\\evil.png", "drive"),
                     Ad(4, base + L"CON", "device"), Ad(4, base + std::wstring(200, L'a') + L".png", "long"),
                     Ad(4, base + L"..", "dots"), Ad(4, Url(L"/red.png"), "plain")})));
    EXPECT_EQ(reported, std::vector<std::wstring>{L"plain"});
    EXPECT_EQ(FilesUnder(cache), (std::set<std::wstring>{L"UpdateInfo.txt", L"red.png"}));
    EXPECT_EQ(FilesUnder(root), std::set<std::wstring>{L"deep"});
    EXPECT_EQ(FilesUnder(root + L"deep\\"), std::set<std::wstring>{L"UpdateInfo"});
}

TEST_F(AdReader, AFeedWithAFaultKeepsWhatCameBeforeAndIsNotCached) {
    const std::string broken = Feed(1, Group(0, {Ad(5, L"", "before"), "{\"align\":5}", Ad(5, L"", "after")}));
    EXPECT_EQ(Run(broken, 100), std::vector<std::wstring>{L"before"});
    EXPECT_TRUE(FilesUnder(cache).empty());
}

}  // namespace
