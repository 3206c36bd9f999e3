#include "browsers/chromium/ExtensionMessages.h"

#include <gtest/gtest.h>

namespace {

TEST(ExtensionMessages, OnlyAWholeMessageReferenceNamesAKey) {
    EXPECT_EQ(MessageKey("__MSG_extName__"), "extName");
    EXPECT_FALSE(MessageKey("__MSG___"));
    EXPECT_FALSE(MessageKey("__MSG_extName"));
    EXPECT_FALSE(MessageKey("Tab Saver"));
    EXPECT_FALSE(MessageKey(" __MSG_extName__"));
}

TEST(ExtensionMessages, LocaleFoldersGoFromTheRegionToTheLanguageToTheDefault) {
    EXPECT_EQ(LocaleCandidates("en-gb", "en"), (std::vector<std::string>{"en_GB", "en"}));
    EXPECT_EQ(LocaleCandidates("pt-br", "es"), (std::vector<std::string>{"pt_BR", "pt", "es"}));
    EXPECT_EQ(LocaleCandidates("de", "de"), (std::vector<std::string>{"de"}));
    EXPECT_EQ(LocaleCandidates("", "fr"), (std::vector<std::string>{"fr"}));
    EXPECT_TRUE(LocaleCandidates("", "").empty());
}

TEST(ExtensionMessages, ADefaultLocaleThatIsNoPlainFolderNameIsNeverTried) {
    for (const char* name : {"..", "../../secrets", "..\\..\\x", "C:", "fr/..", "en US", ".", "fr\n", "\\\\host\\share"}) {
        EXPECT_FALSE(IsPlainLocaleName(name)) << name;
        EXPECT_EQ(LocaleCandidates("de", name), (std::vector<std::string>{"de"})) << name;
    }
    for (const char* name : {"en", "pt_BR", "es_419", "zh-TW"}) EXPECT_TRUE(IsPlainLocaleName(name)) << name;
    EXPECT_FALSE(IsPlainLocaleName(""));
}

TEST(ExtensionMessages, MessagesAreFoundInAnyLetterCaseAndMustBeText) {
    const auto messages = JsonDocument::Parse(
        R"({"AppName": {"message": "Notes"}, "count": {"message": 3}, "bare": {}, "appname": {"message": "later"}})");
    ASSERT_TRUE(messages);
    EXPECT_EQ(LookupMessage(messages->Root(), "appNAME"), "Notes") << "the first match counts";
    EXPECT_FALSE(LookupMessage(messages->Root(), "count"));
    EXPECT_FALSE(LookupMessage(messages->Root(), "bare"));
    EXPECT_FALSE(LookupMessage(messages->Root(), "absent"));
    EXPECT_FALSE(LookupMessage(messages->Root(), ""));
}

}  // namespace
