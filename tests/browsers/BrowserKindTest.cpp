#include "browsers/BrowserKind.h"

#include <gtest/gtest.h>

namespace {

TEST(BrowserKeywords, NameTheFourBrowserKindsBothWays) {
    const char* names[] = {"chrome", "ie", "firefox", "opera"};
    for (int kind = 1; kind <= 4; ++kind) {
        EXPECT_EQ(BrowserKeyword(static_cast<BrowserKind>(kind)), names[kind - 1]);
        EXPECT_EQ(BrowserFromKeyword(names[kind - 1]), static_cast<BrowserKind>(kind));
    }
    EXPECT_EQ(BrowserKeyword(BrowserKind::None), "");
    EXPECT_EQ(BrowserKeyword(static_cast<BrowserKind>(5)), "");
    EXPECT_EQ(BrowserFromKeyword(""), BrowserKind::None);
    EXPECT_EQ(BrowserFromKeyword("IE"), BrowserKind::None);
}

}  // namespace
