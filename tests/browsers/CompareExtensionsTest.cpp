#include "browsers/CompareExtensions.h"

#include <gtest/gtest.h>

namespace {

TBrowserExtensionInfo Record(AddonKind kind, const std::wstring& name) {
    TBrowserExtensionInfo record;
    record.Kind = kind;
    record.Name = name;
    return record;
}

int Sign(int value) { return (value > 0) - (value < 0); }

int Compare(AddonKind kindA, const std::wstring& a, AddonKind kindB, const std::wstring& b) {
    return Sign(CompareExtensions(Record(kindA, a), Record(kindB, b)));
}

int CompareNames(const std::wstring& a, const std::wstring& b) {
    return Compare(AddonKind::Extension, a, AddonKind::Extension, b);
}

TEST(AddonListOrder, KindComesFirstWhateverTheNames) {
    EXPECT_LT(Compare(AddonKind::Extension, L"zzz", AddonKind::Plugin, L"AAA"), 0);
    EXPECT_GT(Compare(AddonKind::ContextMenuEntry, L"A", AddonKind::Toolbar, L"Z"), 0);
    EXPECT_LT(Compare(AddonKind::BrowserHelperObject, L"", AddonKind::ContextMenuEntry, L""), 0);
}

TEST(AddonListOrder, NamesCompareCaseSensitivelyWithUpperCaseFirst) {
    EXPECT_LT(CompareNames(L"B", L"b"), 0);
    EXPECT_GT(CompareNames(L"b", L"B"), 0);
    EXPECT_LT(CompareNames(L"Zebra", L"apple"), 0);
    EXPECT_EQ(CompareNames(L"Same", L"Same"), 0);
    EXPECT_EQ(CompareNames(L"", L""), 0);
}

TEST(AddonListOrder, APrefixSortsBeforeTheLongerName) {
    EXPECT_LT(CompareNames(L"Ad", L"Adblock"), 0);
    EXPECT_GT(CompareNames(L"Adblock", L"Ad"), 0);
    EXPECT_LT(CompareNames(L"", L"A"), 0);
}

TEST(AddonListOrder, NonAsciiNamesCompareByUtf16CodeUnit) {
    // Code units, not the letters' alphabetical place.
    EXPECT_GT(CompareNames(L"\u00C9cran", L"Zoom"), 0);
    EXPECT_GT(CompareNames(L"\u00E9", L"\u00C9"), 0);
    EXPECT_LT(CompareNames(L"\u0416", L"\u4E2D"), 0);
    // A non-BMP letter is a surrogate pair starting at 0xD800..0xDBFF, so it
    // sorts before U+E000..U+FFFF although its code point is higher.
    EXPECT_LT(CompareNames(L"\U0001F600", L"\uFFFD"), 0);
    EXPECT_LT(CompareNames(L"\U0001F600", L"\uE000"), 0);
    EXPECT_GT(CompareNames(L"\U0001F600", L"\u4E2D"), 0);
}

}  // namespace
