// The profiles a "Local State" names, in the order the program lists them.
#include "browsers/chromium/LocalStateProfiles.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace {

using Listed = std::vector<std::pair<std::string, std::string>>;

Listed Profiles(const std::string& localState) {
    const auto document = JsonDocument::Parse(localState);
    EXPECT_TRUE(document) << localState;
    Listed out;
    if (!document) return out;
    for (const LocalStateProfile& p : ReadLocalStateProfiles(*document)) out.emplace_back(p.folder, p.name);
    return out;
}

struct OrderCase {
    const char* what;
    const char* localState;
    Listed expected;
};

class LocalStateOrder : public ::testing::TestWithParam<OrderCase> {};

TEST_P(LocalStateOrder, ListsTheInfoCacheWithTheLastUsedFirst) {
    EXPECT_EQ(Profiles(GetParam().localState), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, LocalStateOrder,
    ::testing::Values(
        OrderCase{"last used in the middle",
                  R"({"profile":{"info_cache":{"Default":{"name":"Person 1"},"Profile 1":{"name":"Work"},)"
                  R"("Profile 2":{"name":"Kinder \u00e9"}},"last_used":"Profile 2"}})",
                  {{"Profile 2", "Kinder \xc3\xa9"}, {"Default", "Person 1"}, {"Profile 1", "Work"}}},
        OrderCase{"last used already first",
                  R"({"profile":{"last_used":"Default","info_cache":{"Default":{"name":"A"},"Profile 3":{}}}})",
                  {{"Default", "A"}, {"Profile 3", ""}}},
        OrderCase{"last used names no listed profile",
                  R"({"profile":{"info_cache":{"Profile 1":{"name":"W"},"Default":{"name":"P"}},"last_used":"Gone"}})",
                  {{"Profile 1", "W"}, {"Default", "P"}}},
        OrderCase{"folder names that would reach beyond the user data are skipped",
                  R"({"profile":{"info_cache":{"..":{"name":"up"},"a\\b":{},"C:x":{},"x/y":{},"":{},".":{},)"
                  R"("Profile 1":{"name":"ok"}},"last_used":".."}})",
                  {{"Profile 1", "ok"}}},
        OrderCase{"a folder named twice counts once, where it first stands",
                  R"({"profile":{"info_cache":{"Default":{"name":"first"},"Profile 1":{},"Default":{"name":"again"}}}})",
                  {{"Default", "first"}, {"Profile 1", ""}}},
        OrderCase{"no info_cache", R"({"profile":{"last_used":"Default"}})", {}},
        OrderCase{"info_cache of the wrong type", R"({"profile":{"info_cache":["Default"]}})", {}},
        OrderCase{"no profile at all", R"({"browser":{}})", {}}),
    [](const ::testing::TestParamInfo<OrderCase>& info) { return "case" + std::to_string(info.index); });

}  // namespace
