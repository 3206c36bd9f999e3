#include "browsers/firefox/FirefoxAddonEntry.h"

#include <gtest/gtest.h>

namespace {

FirefoxAddonEntry EntryOf(const std::string& element, std::string_view tag = "de") {
    const std::optional<JsonDocument> document = JsonDocument::Parse(element);
    EXPECT_TRUE(document) << element;
    return ReadFirefoxAddonEntry(document ? &document->Root() : nullptr, tag);
}

// An element as Firefox 153 writes it (schema 37), shortened.
const char kToday[] = R"({"id":"probe@brivo.test","syncGUID":"{1}","version":"1.2","type":"extension",
  "loader":null,"updateURL":null,"installOrigins":null,"manifestVersion":2,"optionsURL":null,
  "defaultLocale":{"name":"Brivo Probe","description":"Marks pages","creator":null},
  "visible":true,"active":true,"userDisabled":false,"appDisabled":false,
  "icons":{"48":"icons/probe-48.png","96":"icons/probe-96.png"},
  "locales":[{"name":"Brivo-Sonde","description":null,"locales":["de","de-AT"]},
             {"name":"Sonde","description":"Marque les pages","locales":["fr"]}],
  "location":"app-profile","path":"C:\\Users\\u\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\p\\extensions\\probe@brivo.test.xpi",
  "rootURI":"jar:file:///C:/Users/u/probe@brivo.test.xpi!/"})";

TEST(FirefoxAddonEntry, TodaysElementGivesPathTextsAndIconFiles) {
    const FirefoxAddonEntry entry = EntryOf(kToday, "fr");
    EXPECT_EQ(entry.id, "probe@brivo.test");
    EXPECT_EQ(entry.path, "C:\\Users\\u\\AppData\\Roaming\\Mozilla\\Firefox\\Profiles\\p\\extensions\\probe@brivo.test.xpi");
    EXPECT_EQ(entry.location, "app-profile");
    EXPECT_FALSE(entry.builtIn);
    EXPECT_FALSE(entry.disabled);
    EXPECT_EQ(entry.version, "1.2");
    EXPECT_EQ(entry.name, "Sonde");
    EXPECT_EQ(entry.description, "Marque les pages");
    EXPECT_EQ(entry.iconUrl, "") << "neither 64 nor 32";
    EXPECT_EQ(entry.iconFiles, (std::vector<std::string>{"icons/probe-48.png", "icons/probe-96.png"}));
}

struct LocaleCase {
    const char* tag;
    const char* name;
    const char* description;
};

class FirefoxLocaleList : public ::testing::TestWithParam<LocaleCase> {};

// The set that names the language wins, its missing texts are the default
// locale's; a tag no set names, or none at all, gives the default locale.
TEST_P(FirefoxLocaleList, PicksTheTextsForTheLanguage) {
    const FirefoxAddonEntry entry = EntryOf(kToday, GetParam().tag);
    EXPECT_EQ(entry.name, GetParam().name) << GetParam().tag;
    EXPECT_EQ(entry.description, GetParam().description) << GetParam().tag;
}

INSTANTIATE_TEST_SUITE_P(Tags, FirefoxLocaleList,
                         ::testing::Values(LocaleCase{"fr", "Sonde", "Marque les pages"},
                                           LocaleCase{"de", "Brivo-Sonde", "Marks pages"},
                                           LocaleCase{"de-at", "Brivo-Sonde", "Marks pages"},
                                           LocaleCase{"de-ch", "Brivo-Sonde", "Marks pages"},  // by its language
                                           LocaleCase{"fr-ca", "Sonde", "Marque les pages"},
                                           LocaleCase{"en-us", "Brivo Probe", "Marks pages"},
                                           LocaleCase{"", "Brivo Probe", "Marks pages"}));

TEST(FirefoxAddonEntry, AnExactLanguageWinsOverItsLanguageAlone) {
    const FirefoxAddonEntry entry = EntryOf(R"({"defaultLocale":{"name":"D"},"locales":[
        {"name":"Portugues","locales":["pt"]},{"name":"Brasileiro","locales":["pt-BR"]}]})", "pt-br");
    EXPECT_EQ(entry.name, "Brasileiro");
}

TEST(FirefoxAddonEntry, DescriptorWinsOverPath) {
    EXPECT_EQ(EntryOf(R"({"descriptor":"C:\\old","path":"C:\\new"})").path, "C:\\old");
    EXPECT_EQ(EntryOf(R"({"descriptor":"","path":"C:\\new"})").path, "C:\\new");
    EXPECT_EQ(EntryOf(R"({"path":7})").path, "7");
}

struct BuiltInCase {
    const char* element;
    bool builtIn;
};

class FirefoxBuiltIns : public ::testing::TestWithParam<BuiltInCase> {};

TEST_P(FirefoxBuiltIns, AreRecognisedByLocationOrAsThemes) {
    EXPECT_EQ(EntryOf(GetParam().element).builtIn, GetParam().builtIn) << GetParam().element;
}

INSTANTIATE_TEST_SUITE_P(
    Elements, FirefoxBuiltIns,
    ::testing::Values(BuiltInCase{R"({"location":"app-builtin","type":"extension"})", true},
                      BuiltInCase{R"({"location":"app-builtin-addons","type":"extension"})", true},
                      BuiltInCase{R"({"location":"app-system-defaults","type":"extension"})", true},
                      BuiltInCase{R"({"location":"app-system-addons","type":"extension"})", true},
                      BuiltInCase{R"({"location":"app-profile","type":"theme"})", true},
                      BuiltInCase{R"({"location":"app-profile","type":"extension"})", false},
                      BuiltInCase{R"({"location":"app-profile","type":"dictionary"})", false},
                      BuiltInCase{R"({"location":"app-system-share","type":"extension"})", false},
                      BuiltInCase{R"({"location":"APP-BUILTIN"})", false},
                      BuiltInCase{R"({"id":"old@test","descriptor":"C:\\x"})", false}));

TEST(FirefoxAddonEntry, IconAddressesKeepTheirRuleAndFilesInsideTheAddonAreCollected) {
    const FirefoxAddonEntry old = EntryOf(R"({"icons":{"32":"http://x/32.png","64":"http://x/64.png","16":"s.png"}})");
    EXPECT_EQ(old.iconUrl, "http://x/64.png");
    EXPECT_TRUE(old.iconFiles.empty()) << "16 is no size looked at, and addresses are no files";
    const FirefoxAddonEntry mixed = EntryOf(R"({"icons":{"32":"/icon.png","128":"big\\icon.png","48":"../x.png"}})");
    EXPECT_EQ(mixed.iconUrl, "/icon.png");
    EXPECT_EQ(mixed.iconFiles, (std::vector<std::string>{"icon.png", "big/icon.png"}));
}

TEST(FirefoxAddonEntry, OnlyFilesInsideTheAddonCountAsIconFiles) {
    for (const char* inside : {"icon.png", "icons/a.png", "/icons/a.png", "a..b.png", "icons\\a.png"})
        EXPECT_TRUE(IsAddonIconFile(inside)) << inside;
    for (const char* outside : {"", "/", "../a.png", "icons/../../a.png", "..", "C:\\a.png",
                                "http://host/a.png", "jar:file:///a.xpi!/a.png", "moz-extension://x/a.png"})
        EXPECT_FALSE(IsAddonIconFile(outside)) << outside;
}

}  // namespace
