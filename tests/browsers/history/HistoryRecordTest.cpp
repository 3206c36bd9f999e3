#include "browsers/history/HistoryLimits.h"
#include "browsers/history/HistoryRecord.h"

#include <gtest/gtest.h>

namespace {

THistoryRecord Removal() {
    THistoryRecord record;
    record.time = "2026-12-11T12:30:05Z";
    record.action = HistoryAction::Remove;
    record.browser = "chrome";
    record.browserName = "Google Chrome";
    record.profile = "Profile 1";
    record.profileName = "Arbeit \xc3\xa4";
    record.addonId = "abcdefghijklmnopabcdefghijklmnop";
    record.addonName = "Probe \"quoted\"";
    record.kind = 1;
    record.settingsFile = "C:\\Users\\u\\Preferences";
    record.entry = "{\"path\":\"abc\\\\1.0_0\",\"state\":1,\"manifest\":{\"name\":\"x\",\"list\":[1,2.5,null,true]}}";
    record.savedPaths = {{"0", "C:\\Users\\u\\Extensions\\abc"}};
    return record;
}

THistoryRecord RoundTrip(const THistoryRecord& record) {
    const std::optional<THistoryRecord> read = HistoryRecordFromJson(HistoryRecordToJson(record));
    EXPECT_TRUE(read.has_value());
    return read.value_or(THistoryRecord{});
}

TEST(HistoryRecord, EveryActionReadsBackAsWritten) {
    const THistoryRecord removal = Removal();
    const THistoryRecord read = RoundTrip(removal);
    EXPECT_EQ(read.time, removal.time);
    EXPECT_EQ(read.action, HistoryAction::Remove);
    EXPECT_EQ(read.browser, "chrome");
    EXPECT_EQ(read.browserName, "Google Chrome");
    EXPECT_EQ(read.profile, "Profile 1");
    EXPECT_EQ(read.profileName, removal.profileName);
    EXPECT_EQ(read.addonId, removal.addonId);
    EXPECT_EQ(read.addonName, removal.addonName);
    EXPECT_EQ(read.kind, 1);
    EXPECT_EQ(read.settingsFile, removal.settingsFile);
    // The entry is kept as JSON and comes back in the program's written form.
    EXPECT_EQ(read.entry, removal.entry);
    ASSERT_EQ(read.savedPaths.size(), 1u);
    EXPECT_EQ(read.savedPaths[0].saved, "0");
    EXPECT_EQ(read.savedPaths[0].original, removal.savedPaths[0].original);
    EXPECT_TRUE(read.undone.empty());

    THistoryRecord toggle;
    toggle.time = "2026-01-02T03:04:05Z";
    toggle.action = HistoryAction::Switch;
    toggle.browser = "ie";
    toggle.addonId = "{11111111-2222-3333-4444-555555555555}";
    toggle.kind = 1;
    toggle.view = 32;
    for (const bool before : {false, true}) {
        toggle.disabledBefore = before;
        const THistoryRecord back = RoundTrip(toggle);
        EXPECT_EQ(back.action, HistoryAction::Switch);
        EXPECT_EQ(back.disabledBefore, before);
        EXPECT_EQ(back.view, 32);
    }

    THistoryRecord made;
    made.time = "2026-01-02T03:04:05Z";
    made.action = HistoryAction::Default;
    made.browser = "firefox";
    made.undone = "2026-01-02T04:00:00Z";
    // Data bytes of every value, a NUL and high bytes included; an absent value.
    made.registryValues = {{"HKEY_CURRENT_USER", "Software\\x\\UserChoice", 64, false, "Progid", true, 1,
                            std::string("F\0i\0r\0\xff\x80\0\0", 9)},
                           {"HKEY_CLASSES_ROOT", "http\\shell\\open\\command", 0, false, "", false, 0, ""}};
    const THistoryRecord back = RoundTrip(made);
    EXPECT_EQ(back.action, HistoryAction::Default);
    EXPECT_EQ(back.undone, made.undone);
    ASSERT_EQ(back.registryValues.size(), 2u);
    for (std::size_t i = 0; i < 2; ++i) {
        EXPECT_EQ(back.registryValues[i].root, made.registryValues[i].root);
        EXPECT_EQ(back.registryValues[i].path, made.registryValues[i].path);
        EXPECT_EQ(back.registryValues[i].view, made.registryValues[i].view);
        EXPECT_EQ(back.registryValues[i].name, made.registryValues[i].name);
        EXPECT_EQ(back.registryValues[i].present, made.registryValues[i].present);
        EXPECT_EQ(back.registryValues[i].type, made.registryValues[i].type);
        EXPECT_EQ(back.registryValues[i].data, made.registryValues[i].data);
    }
}

TEST(HistoryRecord, DamagedRecordsAreRefusedNotGuessed) {
    const std::string good = HistoryRecordToJson(Removal());
    ASSERT_TRUE(HistoryRecordFromJson(good));
    const auto replaced = [&](const std::string& from, const std::string& to) {
        std::string text = good;
        const std::size_t at = text.find(from);
        EXPECT_NE(at, std::string::npos) << from;
        if (at != std::string::npos) text.replace(at, from.size(), to);
        return text;
    };
    const std::string damaged[] = {
        "",
        "[]",
        "{\"time\":\"x\",\"browser\":\"chrome\"}",                     // no action
        good.substr(0, good.size() / 2),                               // cut off
        replaced("\"action\":\"remove\"", "\"action\":\"erase\""),     // unknown action
        replaced("\"time\":\"2026-12-11T12:30:05Z\"", "\"time\":\"\""),  // no time
        replaced("\"browser\":\"chrome\"", "\"browser\":7"),           // browser not text
        replaced("\"view\":0", "\"view\":16"),                         // no such view
        replaced("\"kind\":1", "\"kind\":-1"),
        replaced("\"entry\":{", "\"entry\":[{") ,                      // entry not an object
        replaced("\"saved\":[{\"saved\":\"0\"", "\"saved\":[{\"saved\":\"\""),  // saved path without name
        replaced("\"saved\":[", "\"saved\":{\"a\":["),
    };
    for (const std::string& text : damaged) EXPECT_FALSE(HistoryRecordFromJson(text)) << text;

    THistoryRecord made;
    made.time = "t";
    made.action = HistoryAction::Default;
    made.browser = "chrome";
    made.registryValues = {{"HKEY_CURRENT_USER", "p", 0, false, "n", true, 1, "ab"}};
    const std::string value = HistoryRecordToJson(made);
    ASSERT_NE(value.find("\"data\":\"6162\""), std::string::npos) << value;
    for (const char* data : {"\"data\":\"616\"", "\"data\":\"61zz\""}) {
        std::string text = value;
        text.replace(text.find("\"data\":\"6162\""), 13, data);
        EXPECT_FALSE(HistoryRecordFromJson(text)) << text;
    }
}

struct LimitCase {
    std::vector<std::uint64_t> sizes;
    std::size_t maxRecords;
    std::uint64_t maxBytes;
    std::size_t dropped;
};

class HistoryLimitsTest : public testing::TestWithParam<LimitCase> {};

TEST_P(HistoryLimitsTest, OldestGoFirstAndTheNewestStays) {
    const LimitCase& c = GetParam();
    EXPECT_EQ(RecordsToDrop(c.sizes, {c.maxRecords, c.maxBytes}), c.dropped);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, HistoryLimitsTest,
    testing::Values(LimitCase{{}, 200, 1000, 0}, LimitCase{{10}, 200, 1, 0},        // the newest stays
                    LimitCase{{1, 1, 1}, 3, 1000, 0}, LimitCase{{1, 1, 1, 1}, 3, 1000, 1},
                    LimitCase{std::vector<std::uint64_t>(205, 1), 200, 1u << 30, 5},
                    LimitCase{{500, 400, 300}, 10, 700, 1},                      // 700 fits
                    LimitCase{{500, 400, 301}, 10, 700, 2},
                    LimitCase{{100, 100, 5000}, 10, 1000, 2},                    // only the newest left
                    LimitCase{{1, 1, 1}, 0, 1000, 2}));                          // a count of 0 keeps one

}  // namespace
