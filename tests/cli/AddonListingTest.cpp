#include "cli/AddonListing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "json/JsonDocument.h"

namespace {

ListedAddon Addon(std::string id, std::string name, AddonKind kind = AddonKind::Extension, int nativeView = 0) {
    ListedAddon addon;
    addon.id = std::move(id);
    addon.name = std::move(name);
    addon.kind = kind;
    addon.nativeView = nativeView;
    return addon;
}

std::vector<ListedBrowser> Sample() {
    ListedBrowser chrome;
    chrome.browser = "chrome";
    chrome.profile = "Profile 1";
    chrome.profileName = "Work";
    chrome.kind = BrowserKind::ChromeFamily;
    chrome.displayName = "Google Chrome";
    chrome.found = true;
    chrome.dataPath = "C:\\Users\\u\\AppData\\Local\\Google\\Chrome\\User Data\\Default\\";
    chrome.isDefault = true;
    ListedAddon tabs = Addon("aaaabbbb", "Tab \"Saver\", Pro");
    tabs.description = "Caf\xc3\xa9 \xf0\x9f\x98\x80\nline two";
    tabs.version = "2.4.1";
    tabs.disabled = true;
    tabs.filePath = "C:\\ext\\aaaabbbb\\2.4.1_0";
    tabs.iconUrl = "img/48.png";
    tabs.hasIcon = true;
    tabs.rating = 3.7;
    tabs.managedBy = "policy";
    chrome.addons.push_back(tabs);
    chrome.addons.push_back(Addon("@plug/in", "Viewer", AddonKind::Plugin, 1));

    ListedBrowser opera;
    opera.browser = "opera";
    opera.kind = BrowserKind::Opera;
    opera.displayName = "Opera";
    return {chrome, opera};
}

TEST(ListJson, HasTheDocumentedShapeInTheWrittenForm) {
    const std::string text = FormatListJson(Sample());
    ASSERT_GE(text.size(), 2u);
    EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
    EXPECT_EQ(text.rfind(
                  "{\"browsers\":[{\"browser\":\"chrome\",\"profile\":\"Profile 1\",\"profileName\":\"Work\","
                  "\"kind\":1,\"displayName\":\"Google Chrome\",\"found\":true,"
                  "\"dataPath\":\"C:\\\\Users\\\\u\\\\AppData\\\\Local\\\\Google\\\\Chrome\\\\User Data\\\\Default\\\\\","
                  "\"isDefault\":true,\"running\":false,\"addons\":[{\"id\":\"aaaabbbb\",",
                  0),
              0u)
        << text;
    // Plain ASCII: everything beyond it escaped, surrogate pairs included.
    EXPECT_NE(text.find("\"description\":\"Caf\\u00e9 \\ud83d\\ude00\\nline two\""), std::string::npos) << text;
    EXPECT_NE(text.find("\"iconUrl\":\"img\\/48.png\",\"hasIcon\":true,\"rating\":3.7,\"managedBy\":\"policy\"}"), std::string::npos) << text;
    EXPECT_NE(text.find("\"nativeView\":1,\"filePath\":\"\",\"iconUrl\":\"\",\"hasIcon\":false,\"rating\":0,\"managedBy\":\"\"}"),
              std::string::npos)
        << "a whole rating is an integer: " << text;
    EXPECT_NE(text.find("{\"browser\":\"opera\",\"profile\":\"\",\"profileName\":\"\",\"kind\":4,\"displayName\":\"Opera\",\"found\":false,\"dataPath\":\"\","
                        "\"isDefault\":false,\"running\":false,\"addons\":[]}]}"),
              std::string::npos)
        << text;
    for (unsigned char c : text) EXPECT_LT(c, 0x80);

    // And it reads back with the same texts.
    const auto parsed = JsonDocument::Parse(text);
    ASSERT_TRUE(parsed);
    const JsonValue* browsers = GetArray(&parsed->Root(), "browsers");
    ASSERT_EQ(ArraySize(browsers), 2u);
    const JsonValue* addons = GetArray(ArrayElement(browsers, 0), "addons");
    ASSERT_EQ(ArraySize(addons), 2u);
    EXPECT_EQ(GetText(ArrayElement(addons, 0), "name"), "Tab \"Saver\", Pro");
    EXPECT_EQ(GetText(ArrayElement(addons, 0), "description"), "Caf\xc3\xa9 \xf0\x9f\x98\x80\nline two");
    EXPECT_TRUE(GetBoolean(ArrayElement(addons, 0), "disabled"));
    EXPECT_EQ(GetInteger(ArrayElement(addons, 1), "kind"), 2);
}

TEST(ListJson, AnEmptyListIsAnEmptyArray) { EXPECT_EQ(FormatListJson({}), "{\"browsers\":[]}\r\n"); }

TEST(ListCsv, HasOneRowPerAddonWithTheBrowserFirstAndQuotesWhereNeeded) {
    const std::string text = FormatListCsv(Sample());
    const std::string header =
        "browser,kind,id,name,description,version,disabled,nativeView,filePath,iconUrl,hasIcon,rating,managedBy\r\n";
    EXPECT_EQ(text, header +
                        "chrome,1,aaaabbbb,\"Tab \"\"Saver\"\", Pro\",\"Caf\xc3\xa9 \xf0\x9f\x98\x80\nline two\","
                        "2.4.1,true,0,C:\\ext\\aaaabbbb\\2.4.1_0,img/48.png,true,3.7,policy\r\n"
                        "chrome,2,@plug/in,Viewer,,,false,1,,,false,0,\r\n");
    EXPECT_EQ(FormatListCsv({}), header) << "the header also without add-ons";
}

TEST(ListTable, ShowsEachBrowserWithAlignedRowsInCharacters) {
    std::vector<ListedBrowser> browsers = Sample();
    browsers[0].addons[1].mark64 = true;
    browsers[0].addons.push_back(Addon("ccc", "\xd0\x9c\xd0\xb5\xd0\xbd"));  // three Cyrillic letters
    browsers[0].addons.push_back(Addon("nameless", ""));
    browsers[0].addons.push_back(Addon("esc", "Bad\x1b[2J\r\nName"));
    const std::string text = FormatListTable(browsers);
    EXPECT_EQ(text.rfind("Google Chrome (chrome), profile Work (Profile 1), default browser\r\n  C:\\Users\\", 0), 0u)
        << "the profile by the name its user gave it, then its folder: " << text;
    EXPECT_NE(text.find("  KIND       STATE  NAME              VERSION  ID\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  extension  off    Tab \"Saver\", Pro  2.4.1    aaaabbbb\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  plug-in    on     Viewer (64)                @plug/in\r\n"), std::string::npos) << text;
    EXPECT_NE(text.find("  extension  on     \xd0\x9c\xd0\xb5\xd0\xbd                        ccc\r\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("  extension  on     nameless                   nameless\r\n"), std::string::npos)
        << "an add-on without a name shows its id: " << text;
    EXPECT_NE(text.find("Bad [2J  Name"), std::string::npos) << "control characters show as spaces: " << text;
    EXPECT_EQ(text.find('\x1b'), std::string::npos);
    EXPECT_NE(text.find("\r\nOpera (opera): not found\r\n"), std::string::npos) << text;
    EXPECT_EQ(text.find("line two"), std::string::npos) << "descriptions are not in the table";
}

TEST(RatingList, GivesEveryAddonItsRatingInTenthsByIdOrByNameWithoutOne) {
    ListedBrowser browser;
    browser.addons = {Addon("{B}", "Both"), Addon("", "Send to Notes"), Addon("x", "X"), Addon("top", ""),
                      Addon("odd", "Odd"), Addon("nan", "NaN")};
    browser.addons[0].rating = 4.5;
    browser.addons[2].rating = 37 / 10.0;  // as the rating message delivers it
    browser.addons[3].rating = 5;
    browser.addons[4].rating = -0.3;
    browser.addons[5].rating = std::nan("");
    EXPECT_EQ(FormatRatingList(browser), "{B}\t4.5\r\nSend to Notes\t0.0\r\nx\t3.7\r\ntop\t5.0\r\n"
                                         "odd\t0.0\r\nnan\t0.0\r\n")
        << "what is no rating shows as none";
    EXPECT_EQ(FormatRatingList(ListedBrowser{}), "");
}

TEST(AddonLabels, NameTheAddonAndItsId) {
    EXPECT_EQ(Label(Addon("{B}", "Both")), "Both ({B})");
    EXPECT_EQ(Label(Addon("", "Send to Notes")), "Send to Notes");
    EXPECT_EQ(Label(Addon("abc", "")), "abc (abc)");
}

TEST(AddonKinds, AreNamedWithinTheirBrowserFamily) {
    EXPECT_EQ(AddonKindName(BrowserKind::InternetExplorer, AddonKind::BrowserHelperObject), "BHO");
    EXPECT_EQ(AddonKindName(BrowserKind::InternetExplorer, AddonKind::Toolbar), "toolbar");
    EXPECT_EQ(AddonKindName(BrowserKind::InternetExplorer, AddonKind::ContextMenuEntry), "context menu");
    EXPECT_EQ(AddonKindName(BrowserKind::Firefox, AddonKind::Extension), "extension");
    EXPECT_EQ(AddonKindName(BrowserKind::ChromeFamily, AddonKind::Plugin), "plug-in");
    EXPECT_EQ(AddonKindName(BrowserKind::ChromeFamily, AddonKind::ContextMenuEntry), "kind 4");
}

ListedBrowser InternetExplorer() {
    ListedBrowser ie;
    ie.browser = "ie";
    ie.kind = BrowserKind::InternetExplorer;
    ie.displayName = "Internet Explorer";
    ie.found = true;
    ie.addons = {Addon("{B}", "Both", AddonKind::BrowserHelperObject, 1),
                 Addon("{B}", "Both", AddonKind::BrowserHelperObject, 0),
                 Addon("{O}", "Only", AddonKind::BrowserHelperObject, 0),
                 Addon("", "Send to Notes", AddonKind::ContextMenuEntry, 1),
                 Addon("{X}", "Send to Notes", AddonKind::Toolbar, 1)};
    return ie;
}

TEST(AddonSelection, AnIdInBothViewsNeedsAView) {
    const ListedBrowser ie = InternetExplorer();
    const AddonSelection both = SelectAddon(ie, "{B}", 0, true);
    EXPECT_EQ(both.index, -1);
    EXPECT_NE(both.error.find("--view"), std::string::npos) << both.error;
    EXPECT_NE(both.error.find("64-bit view, 32-bit view"), std::string::npos) << both.error;
    EXPECT_EQ(SelectAddon(ie, "{B}", 64, true).index, 0);
    EXPECT_EQ(SelectAddon(ie, "{B}", 32, true).index, 1);
    EXPECT_EQ(SelectAddon(ie, "{O}", 0, true).index, 2);
    EXPECT_EQ(SelectAddon(ie, "{O}", 32, true).index, 2);
    const AddonSelection wrongView = SelectAddon(ie, "{O}", 64, true);
    EXPECT_EQ(wrongView.index, -1);
    EXPECT_NE(wrongView.error.find("64-bit"), std::string::npos);
    // On 32-bit Windows the native view is the 32-bit one.
    EXPECT_EQ(SelectAddon(ie, "{B}", 64, false).index, -1);
    const AddonSelection twice = SelectAddon(ie, "{B}", 32, false);
    EXPECT_EQ(twice.index, -1) << "both records are in the 32-bit view there";
    EXPECT_EQ(twice.error.find("--view"), std::string::npos) << "a view was given; it does not help";
}

TEST(AddonSelection, IdsMatchExactlyAndNamelessIdsByName) {
    const ListedBrowser ie = InternetExplorer();
    EXPECT_EQ(SelectAddon(ie, "{b}", 0, true).index, -1) << "ids are matched as listed";
    EXPECT_EQ(SelectAddon(ie, "Send to Notes", 0, true).index, 3) << "only a record without an id by its name";
    EXPECT_EQ(SelectAddon(ie, "Only", 0, true).index, -1) << "a record with an id is not found by its name";
    const AddonSelection unknown = SelectAddon(ie, "{Z}", 0, true);
    EXPECT_EQ(unknown.index, -1);
    EXPECT_EQ(unknown.error, "Internet Explorer has no add-on \"{Z}\"");
}

}  // namespace
