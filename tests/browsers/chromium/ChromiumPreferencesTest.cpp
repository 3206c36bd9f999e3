#include "browsers/chromium/ChromiumPreferences.h"

#include <gtest/gtest.h>

namespace {

JsonDocument Parsed(const std::string& text) {
    std::optional<JsonDocument> document = JsonDocument::Parse(text);
    EXPECT_TRUE(document) << text;
    return document ? std::move(*document) : JsonDocument();
}

ChromiumExtensionEntry EntryOf(const std::string& entryText) {
    const JsonDocument document = Parsed(entryText);
    return ReadExtensionEntry(document.Root());
}

}  // namespace

TEST(ChromiumExtensionEntry, StateZeroMeansSwitchedOff) {
    EXPECT_FALSE(EntryOf(R"({"state":1})").disabled);
    EXPECT_FALSE(EntryOf(R"({"state":3})").disabled) << "any value but 0 is on";
    EXPECT_TRUE(EntryOf(R"({"state":0})").disabled);
    EXPECT_FALSE(EntryOf(R"({"path":"x"})").disabled) << "today's browsers write no state for an enabled extension";
    EXPECT_TRUE(EntryOf(R"({"state":"1"})").disabled) << "a text is no integer state";
}

struct DisabledCase {
    const char* entry;
    bool disabled;
};

class ChromiumDisableReasons : public ::testing::TestWithParam<DisabledCase> {};

TEST_P(ChromiumDisableReasons, DecideWhereThereIsNoState) {
    EXPECT_EQ(EntryOf(GetParam().entry).disabled, GetParam().disabled) << GetParam().entry;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ChromiumDisableReasons,
    ::testing::Values(DisabledCase{R"({"disable_reasons":[1]})", true},
                      DisabledCase{R"({"disable_reasons":[8192]})", true},  // a reason of the browser's
                      DisabledCase{R"({"disable_reasons":[1,4]})", true},
                      DisabledCase{R"({"disable_reasons":[]})", false},
                      DisabledCase{R"({"disable_reasons":1})", true},  // older builds: a bit field
                      DisabledCase{R"({"disable_reasons":4})", true},
                      DisabledCase{R"({"disable_reasons":0})", false},
                      DisabledCase{R"({"disable_reasons":"1"})", false},
                      DisabledCase{R"({"disable_reasons":null})", false},
                      DisabledCase{R"({"manifest":{"name":"n"}})", false},
                      // "state" decides wherever it is written.
                      DisabledCase{R"({"state":1,"disable_reasons":[1]})", false},
                      DisabledCase{R"({"state":0,"disable_reasons":[]})", true},
                      DisabledCase{R"({"state":1,"disable_reasons":2})", false}));

TEST(ChromiumExtensionEntry, ManifestFieldsAreReadOnlyFromAManifestObject) {
    const ChromiumExtensionEntry full = EntryOf(
        R"({"state":1,"path":"abc\\1.2_0","manifest":{"name":"Tab Saver","description":"Keeps tabs",)"
        R"("version":"1.2","icons":{"16":"i16.png","48":"img/i48.png","32":"i32.png"}}})");
    EXPECT_TRUE(full.hasManifest);
    EXPECT_EQ(full.path, L"abc\\1.2_0");
    EXPECT_EQ(full.name, L"Tab Saver");
    EXPECT_EQ(full.description, L"Keeps tabs");
    EXPECT_EQ(full.version, L"1.2");
    EXPECT_EQ(full.iconUrl, L"img/i48.png");

    const ChromiumExtensionEntry bare = EntryOf(R"({"state":1,"path":"p","manifest":"not an object"})");
    EXPECT_FALSE(bare.hasManifest);
    EXPECT_TRUE(bare.name.empty());
    EXPECT_TRUE(bare.iconUrl.empty());
    EXPECT_EQ(bare.path, L"p");
}

TEST(ChromiumExtensionEntry, IconFallsBackFrom48To32To16Only) {
    EXPECT_EQ(EntryOf(R"({"manifest":{"icons":{"16":"s.png","32":"m.png"}}})").iconUrl, L"m.png");
    EXPECT_EQ(EntryOf(R"({"manifest":{"icons":{"128":"big.png","16":"small.png"}}})").iconUrl, L"small.png");
    EXPECT_EQ(EntryOf(R"({"manifest":{"icons":{"48":"","16":"small.png"}}})").iconUrl, L"small.png");
    EXPECT_EQ(EntryOf(R"({"manifest":{"icons":{"128":"big.png","19":"odd.png"}}})").iconUrl, L"");
    EXPECT_EQ(EntryOf(R"({"manifest":{"icons":"icon.png"}})").iconUrl, L"");
}

TEST(ChromiumExtensionEntry, NameAndDescriptionAreDecodedButVersionIsNot) {
    // In the file: "Caf\\u00e9" - after JSON decoding a backslash-u escape remains.
    const ChromiumExtensionEntry entry = EntryOf(
        R"({"manifest":{"name":"Caf\\u00e9","description":"A\\u0042\\u0043 in C:\\users","version":"\\u0031.0"}})");
    EXPECT_EQ(entry.name, L"Caf\u00e9");
    EXPECT_EQ(entry.description, L"ABC in C:\\users");
    EXPECT_EQ(entry.version, L"\\u0031.0");
    // Ordinary JSON escapes are the parser's: they arrive already decoded.
    EXPECT_EQ(EntryOf(R"({"manifest":{"name":"\u20ac Rates \ud83d\ude00"}})").name, L"\u20ac Rates \U0001F600");
}

TEST(ChromiumExtensionSettings, CountOnlyWithAtLeastOneEntry) {
    EXPECT_TRUE(HasExtensionSettings(Parsed(R"({"extensions":{"settings":{"abc":{}}}})")));
    EXPECT_FALSE(HasExtensionSettings(Parsed(R"({"extensions":{"settings":{}}})")));
    EXPECT_FALSE(HasExtensionSettings(Parsed(R"({"extensions":{"alerts":{}}})")));
    EXPECT_FALSE(HasExtensionSettings(Parsed(R"({"extensions":{"settings":["abc"]}})")));
}

TEST(ChromiumExtensionSettings, AnEntryIsProtectedOnlyByACodeOfItsOwn) {
    const JsonDocument secure = Parsed(
        R"({"extensions":{"settings":{"abc":{},"def":{}}},)"
        R"("protection":{"macs":{"extensions":{"settings":{"abc":"0A1B2C","ghi":""}},"homepage":"99"}}})");
    EXPECT_TRUE(HasProtectionCode(secure, "abc"));
    EXPECT_FALSE(HasProtectionCode(secure, "def")) << "no code for it";
    EXPECT_FALSE(HasProtectionCode(secure, "ghi")) << "an empty code protects nothing";
    EXPECT_FALSE(HasProtectionCode(secure, "homepage"));
    EXPECT_FALSE(HasProtectionCode(Parsed(R"({"protection":{"macs":{"extensions":{"settings":["abc"]}}}})"), "abc"));
    EXPECT_FALSE(HasProtectionCode(Parsed(R"({"protection":{"macs":{"extensions":{"settings":{"abc":7}}}}})"), "abc"));
    EXPECT_FALSE(HasProtectionCode(Parsed("[]"), "abc"));
}

TEST(ChromiumExtensionSettings, ThePolicysOwnReasonIsLeftToThePolicy) {
    const auto apart = [](const char* text) { return IsDisabledApartFromPolicy(Parsed(text).Root()); };
    EXPECT_FALSE(apart(R"({})"));
    EXPECT_FALSE(apart(R"({"disable_reasons":[]})"));
    EXPECT_FALSE(apart(R"({"disable_reasons":[65536]})"));
    EXPECT_TRUE(apart(R"({"disable_reasons":[65536,1]})"));
    EXPECT_TRUE(apart(R"({"disable_reasons":[4]})"));
    EXPECT_TRUE(apart(R"({"disable_reasons":["x"]})")) << "what is no reason number counts as a reason";
    EXPECT_FALSE(apart(R"({"disable_reasons":65536})"));
    EXPECT_TRUE(apart(R"({"disable_reasons":65537})"));
    EXPECT_TRUE(apart(R"({"state":0,"disable_reasons":[]})"));
    EXPECT_FALSE(apart(R"({"state":1,"disable_reasons":[4]})")) << "where there is a state, it decides";
}

TEST(ChromiumExtensionSettings, NeedsBothObjects) {
    EXPECT_NE(ExtensionSettings(Parsed(R"({"extensions":{"settings":{}}})")), nullptr);
    EXPECT_EQ(ExtensionSettings(Parsed(R"({"extensions":{}})")), nullptr);
    EXPECT_EQ(ExtensionSettings(Parsed(R"({"extensions":{"settings":[]}})")), nullptr);
    EXPECT_EQ(ExtensionSettings(Parsed(R"({"other":1})")), nullptr);
    EXPECT_EQ(ExtensionSettings(Parsed(R"([1,2])")), nullptr);
    // An id is a plain member name, never a path.
    EXPECT_EQ(ExtensionSettings(Parsed(R"({"extensions.settings":{}})")), nullptr);
}

TEST(ChromiumExtensionSwitch, OffAppendsToKnownDisabledAndOnRestoresIt) {
    const std::string original = R"({"extensions":{"known_disabled":["x"],"settings":{"abc":{"state":1},"x":{}}}})";
    JsonDocument prefs = Parsed(original);
    ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", true));
    EXPECT_EQ(prefs.ToText(), R"({"extensions":{"known_disabled":["x","abc"],"settings":{"abc":{"state":0},"x":{}}}})");
    ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", false));
    EXPECT_EQ(prefs.ToText(), R"({"extensions":{"known_disabled":["x"],"settings":{"abc":{"state":1},"x":{}}}})");
}

struct SwitchCase {
    const char* before;  // the settings entry of "abc"
    bool disabled;       // switched off (true) or on
    const char* after;   // the entry afterwards, in the written form
};

class ChromiumReasonSwitch : public ::testing::TestWithParam<SwitchCase> {};

// Entries without "state" are switched through the user's reason only:
// "known_disabled" stays as it is, and so does every reason of the browser's.
TEST_P(ChromiumReasonSwitch, AddsOrRemovesOnlyTheUsersReason) {
    const SwitchCase& c = GetParam();
    JsonDocument prefs =
        Parsed(std::string(R"({"extensions":{"known_disabled":["x"],"settings":{"abc":)") + c.before + "}}}");
    ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", c.disabled));
    EXPECT_EQ(prefs.ToText(), std::string(R"({"extensions":{"known_disabled":["x"],"settings":{"abc":)") + c.after + "}}}")
        << c.before;
}

INSTANTIATE_TEST_SUITE_P(
    Entries, ChromiumReasonSwitch,
    ::testing::Values(SwitchCase{R"({"path":"p"})", true, R"({"path":"p","disable_reasons":[1]})"},
                      SwitchCase{R"({"disable_reasons":[]})", true, R"({"disable_reasons":[1]})"},
                      SwitchCase{R"({"disable_reasons":[4]})", true, R"({"disable_reasons":[4,1]})"},
                      SwitchCase{R"({"disable_reasons":[1]})", true, R"({"disable_reasons":[1]})"},
                      SwitchCase{R"({"disable_reasons":[1]})", false, R"({"disable_reasons":[]})"},
                      SwitchCase{R"({"disable_reasons":[1,4,1]})", false, R"({"disable_reasons":[4]})"},
                      SwitchCase{R"({"disable_reasons":["1",1.5]})", false, R"({"disable_reasons":["1",1.5]})"},
                      SwitchCase{R"({"path":"p"})", false, R"({"path":"p"})"},
                      SwitchCase{R"({"disable_reasons":0})", true, R"({"disable_reasons":1})"},
                      SwitchCase{R"({"disable_reasons":4})", true, R"({"disable_reasons":5})"},
                      SwitchCase{R"({"disable_reasons":5})", false, R"({"disable_reasons":4})"},
                      SwitchCase{R"({"disable_reasons":1})", false, R"({"disable_reasons":0})"},
                      SwitchCase{R"({"disable_reasons":"odd"})", true, R"({"disable_reasons":"odd"})"}));

TEST(ChromiumExtensionSwitch, ASwitchedEntryReadsBackAsSwitched) {
    struct Case {
        const char* entry;
        bool onAgain;  // reads as on after switching on: no reason of the browser's is left
    };
    for (const Case c : {Case{R"({"state":1})", true}, Case{R"({"path":"p"})", true},
                         Case{R"({"disable_reasons":[4]})", false}, Case{R"({"disable_reasons":2})", false}}) {
        JsonDocument prefs = Parsed(std::string(R"({"extensions":{"settings":{"abc":)") + c.entry + "}}}");
        ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", true));
        const JsonValue* entry = Member(ExtensionSettings(prefs), "abc");
        ASSERT_TRUE(entry);
        EXPECT_TRUE(ReadExtensionEntry(*entry).disabled) << c.entry;
        ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", false));
        EXPECT_EQ(ReadExtensionEntry(*entry).disabled, !c.onAgain) << c.entry;
    }
}

TEST(ChromiumExtensionSwitch, CopiesAreAppendedBlindlyAndAllRemoved) {
    JsonDocument prefs = Parsed(R"({"extensions":{"known_disabled":["abc","y"],"settings":{"abc":{"state":1}}}})");
    ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", true));
    ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", true));
    EXPECT_EQ(prefs.ToText(), R"({"extensions":{"known_disabled":["abc","y","abc","abc"],"settings":{"abc":{"state":0}}}})");
    ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", false));
    EXPECT_EQ(prefs.ToText(), R"({"extensions":{"known_disabled":["y"],"settings":{"abc":{"state":1}}}})");
    // Only exact, case-sensitive matches go.
    JsonDocument mixed = Parsed(R"({"extensions":{"known_disabled":["ABC","abc ",1],"settings":{"abc":{"state":0}}}})");
    ASSERT_TRUE(SetExtensionDisabled(mixed, "abc", false));
    EXPECT_EQ(mixed.ToText(), R"({"extensions":{"known_disabled":["ABC","abc ",1],"settings":{"abc":{"state":1}}}})");
}

TEST(ChromiumExtensionSwitch, CreatesKnownDisabledWhenMissing) {
    JsonDocument prefs = Parsed(R"({"extensions":{"settings":{"abc":{"path":"abc\\1","state":1}}},"z":null})");
    ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", true));
    EXPECT_EQ(prefs.ToText(), R"({"extensions":{"settings":{"abc":{"path":"abc\\1","state":0}},"known_disabled":["abc"]},"z":null})");
}

TEST(ChromiumExtensionSwitch, KnownDisabledOfAnotherTypeIsLeftAlone) {
    JsonDocument prefs = Parsed(R"({"extensions":{"known_disabled":{"abc":true},"settings":{"abc":{"state":1}}}})");
    ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", true));
    EXPECT_EQ(prefs.ToText(), R"({"extensions":{"known_disabled":{"abc":true},"settings":{"abc":{"state":0}}}})");
    ASSERT_TRUE(SetExtensionDisabled(prefs, "abc", false));
    EXPECT_EQ(prefs.ToText(), R"({"extensions":{"known_disabled":{"abc":true},"settings":{"abc":{"state":1}}}})");
}

TEST(ChromiumExtensionSwitch, WithoutASettingsEntryNothingChanges) {
    const std::string original = R"({"extensions":{"settings":{"abc":7,"def":{}}}})";
    JsonDocument prefs = Parsed(original);
    EXPECT_FALSE(SetExtensionDisabled(prefs, "missing", true));
    EXPECT_FALSE(SetExtensionDisabled(prefs, "abc", true)) << "an entry that is no object cannot hold a state";
    EXPECT_FALSE(SetExtensionDisabled(prefs, "settings", true));
    EXPECT_EQ(prefs.ToText(), original);
    JsonDocument noExtensions = Parsed(R"({"settings":{"abc":{}}})");
    EXPECT_FALSE(SetExtensionDisabled(noExtensions, "abc", true));
    EXPECT_EQ(noExtensions.ToText(), R"({"settings":{"abc":{}}})");
}

TEST(ChromiumExtensionRemoval, DeletesOnlyTheSettingsEntry) {
    JsonDocument prefs = Parsed(R"({"extensions":{"known_disabled":["abc"],"settings":{"abc":{"state":0},"def":{}}}})");
    EXPECT_TRUE(DeleteExtensionSettings(prefs, "abc"));
    EXPECT_EQ(prefs.ToText(), R"({"extensions":{"known_disabled":["abc"],"settings":{"def":{}}}})");
    EXPECT_FALSE(DeleteExtensionSettings(prefs, "abc"));
    JsonDocument other = Parsed(R"({"extensions":[]})");
    EXPECT_FALSE(DeleteExtensionSettings(other, "abc"));
}
