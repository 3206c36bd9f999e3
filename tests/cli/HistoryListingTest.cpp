#include "cli/HistoryListing.h"

#include <gtest/gtest.h>

#include "json/JsonDocument.h"

namespace {

std::vector<std::optional<THistoryRecord>> Records() {
    THistoryRecord removal;
    removal.time = "2026-12-11T12:30:05Z";
    removal.action = HistoryAction::Remove;
    removal.browser = "chrome";
    removal.browserName = "Google Chrome";
    removal.profile = "Profile 1";
    removal.profileName = "Work";
    removal.addonId = "abc";
    removal.addonName = "Probe\nline";
    THistoryRecord made;
    made.time = "2026-12-11T12:00:00Z";
    made.action = HistoryAction::Default;
    made.browser = "firefox";
    made.browserName = "Mozilla Firefox";
    made.undone = "2026-12-11T12:40:00Z";
    return {removal, std::nullopt, made};
}

TEST(HistoryListing, JsonNumbersEveryRecordAndMarksUnreadableAndUndone) {
    const std::optional<JsonDocument> document = JsonDocument::Parse(FormatHistoryJson(Records()));
    ASSERT_TRUE(document);
    const JsonValue* list = &document->Root();
    ASSERT_EQ(ArraySize(list), 3u);
    const JsonValue* first = ArrayElement(list, 0);
    EXPECT_EQ(GetInteger(first, "number"), 1);
    EXPECT_EQ(GetText(first, "time"), "2026-12-11T12:30:05Z");
    EXPECT_EQ(GetText(first, "browser"), "chrome");
    EXPECT_EQ(GetText(first, "profile"), "Profile 1");
    EXPECT_EQ(GetText(first, "profileName"), "Work");
    EXPECT_EQ(GetText(first, "addonId"), "abc");
    EXPECT_EQ(GetText(first, "addonName"), "Probe\nline");
    EXPECT_EQ(GetText(first, "action"), "remove");
    EXPECT_FALSE(GetBoolean(first, "undone", true));
    const JsonValue* second = ArrayElement(list, 1);
    EXPECT_EQ(GetInteger(second, "number"), 2);
    EXPECT_TRUE(GetBoolean(second, "unreadable"));
    const JsonValue* third = ArrayElement(list, 2);
    EXPECT_EQ(GetText(third, "action"), "default");
    EXPECT_TRUE(GetBoolean(third, "undone"));
    EXPECT_EQ(GetText(third, "undoneTime"), "2026-12-11T12:40:00Z");
    EXPECT_EQ(FormatHistoryJson({}), "[]\r\n");
}

TEST(HistoryListing, TableHasOneLinePerRecord) {
    const std::string table = FormatHistoryTable(Records());
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < table.size();) {
        const std::size_t end = table.find("\r\n", start);
        ASSERT_NE(end, std::string::npos);
        lines.push_back(table.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[1].rfind("1    2026-12-11T12:30:05Z  remove   Google Chrome (Work)", 0), 0u) << lines[1];
    EXPECT_NE(lines[1].find("Probe line (abc)"), std::string::npos) << lines[1];
    EXPECT_EQ(lines[2], "2    unreadable record");
    EXPECT_NE(lines[3].find("default  Mozilla Firefox"), std::string::npos) << lines[3];
    EXPECT_NE(lines[3].find("[undone]"), std::string::npos);
    EXPECT_EQ(FormatHistoryTable({}), "no changes\r\n");
}

}  // namespace
