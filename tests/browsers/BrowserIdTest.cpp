// The browsers by name: keywords, families and registered names.
#include "browsers/BrowserId.h"

#include <gtest/gtest.h>

namespace {

TEST(BrowserIds, KeywordsNameEachButtonAndTheFamilyStaysTheRatingServicesId) {
    const struct {
        const char* keyword;
        BrowserId id;
        BrowserKind kind;
    } rows[] = {{"chrome", BrowserId::Chrome, BrowserKind::ChromeFamily},
                {"ie", BrowserId::InternetExplorer, BrowserKind::InternetExplorer},
                {"firefox", BrowserId::Firefox, BrowserKind::Firefox},
                {"opera", BrowserId::Opera, BrowserKind::Opera},
                {"edge", BrowserId::Edge, BrowserKind::ChromeFamily},
                {"brave", BrowserId::Brave, BrowserKind::ChromeFamily},
                {"vivaldi", BrowserId::Vivaldi, BrowserKind::ChromeFamily}};
    for (const auto& row : rows) {
        SCOPED_TRACE(row.keyword);
        EXPECT_EQ(BrowserIdFromKeyword(row.keyword), row.id);
        EXPECT_EQ(FactsOf(row.id).keyword, row.keyword);
        EXPECT_EQ(FactsOf(row.id).kind, row.kind);
        EXPECT_NE(BrowserKeywordList().find(row.keyword), std::string_view::npos);
    }
    for (BrowserId member : ChromeFamilyMembers()) {
        EXPECT_EQ(FactsOf(member).keyword, "chrome") << "one button for the old family";
        EXPECT_EQ(FactsOf(member).urlProgId, L"ChromeHTML");
        EXPECT_EQ(FactsOf(member).executable, L"chrome.exe");
    }
    for (const char* none : {"", "Edge", "msedge", "chromium"}) EXPECT_EQ(BrowserIdFromKeyword(none), BrowserId::None);
    EXPECT_EQ(FactsOf(static_cast<BrowserId>(200)).keyword, "");
}

TEST(BrowserIds, TheNewerBrowsersKeepTheirOwnFacts) {
    EXPECT_EQ(FactsOf(BrowserId::Edge).userData, L"\\Microsoft\\Edge\\User Data\\");
    EXPECT_EQ(FactsOf(BrowserId::Edge).executable, L"msedge.exe");
    EXPECT_EQ(FactsOf(BrowserId::Edge).startMenuKey, L"Microsoft Edge");
    EXPECT_EQ(FactsOf(BrowserId::Edge).urlProgId, L"MSEdgeHTM");
    EXPECT_EQ(FactsOf(BrowserId::Brave).userData, L"\\BraveSoftware\\Brave-Browser\\User Data\\");
    EXPECT_EQ(FactsOf(BrowserId::Brave).urlProgId, L"BraveHTML");
    EXPECT_EQ(FactsOf(BrowserId::Vivaldi).executable, L"vivaldi.exe");
    EXPECT_EQ(FactsOf(BrowserId::Vivaldi).urlProgId, L"VivaldiHTM");
    ASSERT_EQ(NewerChromiumBrowsers().size(), 3u);
    EXPECT_EQ(NewerChromiumBrowsers()[0], BrowserId::Edge);
    EXPECT_EQ(NewerChromiumBrowsers()[2], BrowserId::Vivaldi);
}

TEST(BrowserIds, ARegisteredNameMayCarryASuffixOnlyWhereInstallsAddOne) {
    const BrowserFacts& brave = FactsOf(BrowserId::Brave);
    EXPECT_TRUE(MatchesRegisteredName(brave, L"BraveHTML", L"BraveHTML", false));
    EXPECT_TRUE(MatchesRegisteredName(brave, L"BraveHTML", L"BraveHTML.ABC123", false));
    EXPECT_FALSE(MatchesRegisteredName(brave, L"BraveHTML", L"bravehtml.ABC123", false));
    EXPECT_TRUE(MatchesRegisteredName(brave, L"Brave", L"brave.XYZ", true));
    EXPECT_FALSE(MatchesRegisteredName(brave, L"BraveHTML", L"BraveHTML.", false)) << "no suffix after the dot";
    EXPECT_FALSE(MatchesRegisteredName(brave, L"BraveHTML", L"BraveHTMLX", false));
    EXPECT_FALSE(MatchesRegisteredName(brave, L"Brave", L"Brave Beta", true));
    EXPECT_FALSE(MatchesRegisteredName(brave, L"", L"", false));
    const BrowserFacts& chrome = FactsOf(BrowserId::Chrome);
    EXPECT_FALSE(MatchesRegisteredName(chrome, L"ChromeHTML", L"ChromeHTML.ABC", false));
    EXPECT_FALSE(MatchesRegisteredName(chrome, L"ChromeHTML", L"chromehtml", false)) << "exact, as always";
}

}  // namespace
