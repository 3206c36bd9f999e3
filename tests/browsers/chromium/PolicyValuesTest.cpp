#include <gtest/gtest.h>

#include "browsers/chromium/PolicyValues.h"
#include "json/JsonDocument.h"

namespace {

const std::wstring kTabs = L"aaaabbbbccccddddeeeeffffgggghhhh";
const std::wstring kDark = L"bbbbccccddddeeeeffffgggghhhhiiii";

TEST(PolicyList, TheBrowserReadsNumbersFromOneUpToTheFirstGap) {
    for (const wchar_t* name : {L"1", L"2", L"10", L"123456789"}) EXPECT_TRUE(IsListEntryName(name)) << name;
    for (const wchar_t* name : {L"", L"0", L"01", L"-1", L"+2", L"1a", L" 1", L"1234567890", L"Default"})
        EXPECT_FALSE(IsListEntryName(name)) << name;

    const std::vector<PolicyListEntry> entries = {
        {L"2", kDark}, {L"1", L"someone"}, {L"4", kTabs}, {L"x", L"zzz"}, {L"05", L"five"}};
    const std::vector<PolicyListEntry> effective = EffectiveEntries(entries);
    ASSERT_EQ(effective.size(), 2u);
    EXPECT_EQ(effective[0].data, L"someone");
    EXPECT_EQ(effective[1].data, kDark);
    EXPECT_TRUE(ListBlocks(entries, kDark));
    EXPECT_FALSE(ListBlocks(entries, kTabs)) << "behind the gap at 3 the browser reads nothing";
    EXPECT_EQ(NextFreeListName(entries), L"3") << "the gap is filled first";
    EXPECT_EQ(NextFreeListName({}), L"1");
    EXPECT_EQ(FindListEntry(entries, kTabs)->name, L"4");
    EXPECT_FALSE(FindListEntry(entries, L"zzz")) << "a name the browser skips is no entry";
    EXPECT_EQ(LastListEntry(entries)->name, L"4");
    EXPECT_FALSE(LastListEntry({{L"x", kTabs}}));
    EXPECT_TRUE(ListBlocks({{L"1", L"*"}}, kTabs)) << "the star blocks every extension";
}

TEST(PolicySettings, TheRemovedMarkIsMergedAndTakenBackKeepingOthers) {
    const std::string id = "aaaabbbbccccddddeeeeffffgggghhhh";
    EXPECT_EQ(WithRemovedMark(std::nullopt, id),
              R"({"aaaabbbbccccddddeeeeffffgggghhhh":{"installation_mode":"removed"}})");

    const std::string others =
        "{ \"*\": {\"installation_mode\": \"allowed\", \"blocked_permissions\": [\"usb\"]},\n"
        "  \"aaaabbbbccccddddeeeeffffgggghhhh\": {\"toolbar_pin\": \"force_pinned\"} }";
    const std::optional<std::string> marked = WithRemovedMark(others, id);
    EXPECT_EQ(marked, R"({"*":{"installation_mode":"allowed","blocked_permissions":["usb"]},)"
                      R"("aaaabbbbccccddddeeeeffffgggghhhh":{"toolbar_pin":"force_pinned","installation_mode":"removed"}})");
    EXPECT_TRUE(MarksRemoved(marked, id));
    EXPECT_FALSE(MarksRemoved(marked, "*"));
    EXPECT_FALSE(MarksRemoved(others, id));

    // Taken back, the entry keeps what others set in it.
    EXPECT_EQ(WithoutRemovedMark(marked, id),
              R"({"*":{"installation_mode":"allowed","blocked_permissions":["usb"]},)"
              R"("aaaabbbbccccddddeeeeffffgggghhhh":{"toolbar_pin":"force_pinned"}})");
    // The program's own entry alone: the value goes altogether.
    EXPECT_EQ(WithoutRemovedMark(WithRemovedMark(std::nullopt, id), id), std::nullopt);
    EXPECT_EQ(WithoutRemovedMark(others, id), others) << "no mark: unchanged as written";
}

TEST(PolicySettings, TextThatIsNoObjectIsNeverReplaced) {
    for (const char* text : {"", "[1,2]", "\"removed\"", "{\"a\":", "null"}) {
        EXPECT_EQ(ClassifySettings(std::string(text)), SettingsText::Invalid) << text;
        EXPECT_FALSE(WithRemovedMark(std::string(text), "x")) << text;
        EXPECT_EQ(WithoutRemovedMark(std::string(text), "x"), std::string(text)) << text;
        EXPECT_FALSE(MarksRemoved(std::string(text), "x"));
    }
    EXPECT_EQ(ClassifySettings(std::nullopt), SettingsText::Absent);
    EXPECT_EQ(ClassifySettings(std::string("{}")), SettingsText::Object);
    // An entry that is no object becomes one: the id's mark must be an object to count.
    EXPECT_EQ(WithRemovedMark(std::string(R"({"x":"blocked"})"), "x"), R"({"x":{"installation_mode":"removed"}})");
}

TEST(ManagedPolicyFile, HoldsTheEffectiveListAndTheSettingsObject) {
    EXPECT_EQ(ManagedPolicyJson({}, std::nullopt), "{}");
    EXPECT_EQ(ManagedPolicyJson({{L"2", kDark}, {L"1", kTabs}, {L"4", L"late"}}, std::string("{}")),
              R"({"ExtensionInstallBlocklist":["aaaabbbbccccddddeeeeffffgggghhhh","bbbbccccddddeeeeffffgggghhhhiiii"]})");
    const std::string file = ManagedPolicyJson(
        {{L"1", kTabs}}, std::string(R"({"bbbbccccddddeeeeffffgggghhhhiiii":{"installation_mode":"removed"},)"
                                     R"("*":{"blocked_permissions":["usb"]}})"));
    EXPECT_EQ(file, R"({"ExtensionInstallBlocklist":["aaaabbbbccccddddeeeeffffgggghhhh"],)"
                    R"("ExtensionSettings":{"bbbbccccddddeeeeffffgggghhhhiiii":{"installation_mode":"removed"},)"
                    R"("*":{"blocked_permissions":["usb"]}}})");
    // The file is one JSON object with the object itself, not its text.
    const std::optional<JsonDocument> parsed = JsonDocument::Parse(file);
    ASSERT_TRUE(parsed);
    EXPECT_TRUE(Member(&parsed->Root(), "ExtensionSettings")->IsObject());
    EXPECT_EQ(ManagedPolicyJson({}, std::string(R"({"x":{"installation_mode":"removed"}})")),
              R"({"ExtensionSettings":{"x":{"installation_mode":"removed"}}})");
    EXPECT_EQ(ManagedPolicyJson({}, std::string("not json")), "{}");
}

}  // namespace
