#include "net/RandomLetters.h"

#include <gtest/gtest.h>

#include <array>
#include <set>
#include <thread>

namespace {

TEST(RandomLetters, GivesTheRequestedNumberOfLowerCaseLetters) {
    EXPECT_EQ(RandomLetters(0), "");
    EXPECT_EQ(RandomLetters(-3), "");
    const std::string letters = RandomLetters(8);
    ASSERT_EQ(letters.size(), 8u);
    for (char c : letters) EXPECT_TRUE(c >= 'a' && c <= 'z') << letters;
}

TEST(RandomLetters, EveryLetterFromAToZIsDrawnAboutEquallyOften) {
    std::array<int, 26> counts{};
    const std::string letters = RandomLetters(26000);
    for (char c : letters) {
        ASSERT_TRUE(c >= 'a' && c <= 'z');
        ++counts[static_cast<size_t>(c - 'a')];
    }
    // Expected 1000 each; the bounds are more than six standard deviations wide.
    for (int i = 0; i < 26; ++i) {
        EXPECT_GT(counts[i], 800) << static_cast<char>('a' + i);
        EXPECT_LT(counts[i], 1200) << static_cast<char>('a' + i);
    }
}

TEST(RandomLetters, CallsInQuickSuccessionAndOnOtherThreadsGiveOtherNames) {
    std::set<std::string> names;
    for (int i = 0; i < 2000; ++i) names.insert(RandomLetters(8));
    EXPECT_EQ(names.size(), 2000u);

    std::string first, second;
    std::thread a([&] { first = RandomLetters(8); });
    std::thread b([&] { second = RandomLetters(8); });
    a.join();
    b.join();
    EXPECT_NE(first, second);
    EXPECT_EQ(names.count(first), 0u);
}

}  // namespace
