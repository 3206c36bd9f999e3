#include "browsers/BrowserAppBase.h"

#include <gtest/gtest.h>

namespace {

// The smallest adapter: a fixed list, removal and switching in memory only.
class FixedListAdapter : public TBrowserAppBase {
public:
    explicit FixedListAdapter(std::vector<std::pair<AddonKind, std::wstring>> records) {
        Kind = BrowserKind::Firefox;
        for (auto& [kind, name] : records) {
            auto record = std::make_unique<TBrowserExtensionInfo>();
            record->Kind = kind;
            record->Name = name;
            Extensions.push_back(std::move(record));
        }
        SortExtensions();
    }
    void CloseBrowser() override {}
    bool IsBrowserRunning() override { return false; }
    bool RemoveExtension(TBrowserExtensionInfo* record) override { return removed = DestroyExtension(record); }
    bool ToggleExtension(TBrowserExtensionInfo* record) override { return record->Disabled = !record->Disabled; }

    bool removed = false;
};

std::vector<std::wstring> Names(const TBrowserAppBase& adapter) {
    std::vector<std::wstring> names;
    for (int i = 0; i < adapter.GetExtensionCount(); ++i) names.push_back(adapter.GetExtension(i)->Name);
    return names;
}

TEST(BrowserAdapterBase, ListIsSortedByKindThenName) {
    const FixedListAdapter adapter({{AddonKind::Plugin, L"Flash"},
                                    {AddonKind::Extension, L"b"},
                                    {AddonKind::Plugin, L"Acrobat"},
                                    {AddonKind::Extension, L"B"},
                                    {AddonKind::Extension, L"Adblock"}});
    EXPECT_EQ(Names(adapter), (std::vector<std::wstring>{L"Adblock", L"B", L"b", L"Acrobat", L"Flash"}));
    EXPECT_EQ(adapter.GetExtension(3)->Kind, AddonKind::Plugin);
}

TEST(BrowserAdapterBase, IndexesOutsideTheListYieldNone) {
    const FixedListAdapter adapter({{AddonKind::Extension, L"One"}, {AddonKind::Extension, L"Two"}});
    ASSERT_EQ(adapter.GetExtensionCount(), 2);
    EXPECT_EQ(adapter.GetExtension(-1), nullptr);
    EXPECT_EQ(adapter.GetExtension(2), nullptr);
    EXPECT_EQ(adapter.GetExtension(1)->Name, L"Two");
    const FixedListAdapter empty({});
    EXPECT_EQ(empty.GetExtensionCount(), 0);
    EXPECT_EQ(empty.GetExtension(0), nullptr);
}

TEST(BrowserAdapterBase, RemovingARecordTakesOnlyThatRecordOutOfTheList) {
    FixedListAdapter adapter({{AddonKind::Extension, L"A"}, {AddonKind::Extension, L"B"}});
    TBrowserExtensionInfo stranger;
    adapter.RemoveExtension(&stranger);
    EXPECT_FALSE(adapter.removed);
    EXPECT_EQ(adapter.GetExtensionCount(), 2);
    adapter.RemoveExtension(adapter.GetExtension(0));
    EXPECT_TRUE(adapter.removed);
    EXPECT_EQ(Names(adapter), (std::vector<std::wstring>{L"B"}));
}

TEST(BrowserAdapterBase, DestroyingTheAdapterDestroysItsIcon) {
    const BYTE andMask[128] = {};
    BYTE xorMask[128] = {};
    HICON icon = CreateIcon(GetModuleHandleW(nullptr), 32, 32, 1, 1, andMask, xorMask);
    ASSERT_NE(icon, nullptr);
    ICONINFO info{};
    ASSERT_TRUE(GetIconInfo(icon, &info));
    DeleteObject(info.hbmMask);
    DeleteObject(info.hbmColor);
    {
        FixedListAdapter adapter({{AddonKind::Extension, L"A"}});
        adapter.IconHandle.reset(icon);
    }
    EXPECT_FALSE(GetIconInfo(icon, &info));
}

TEST(BrowserKindTables, UnknownKindsHaveEmptyNames) {
    EXPECT_EQ(StartMenuKey(BrowserKind::InternetExplorer), L"IEXPLORE.EXE");
    EXPECT_EQ(UrlProgId(BrowserKind::Firefox), L"FirefoxURL");
    EXPECT_TRUE(StartMenuKey(BrowserKind::None).empty());
    EXPECT_TRUE(UrlProgId(static_cast<BrowserKind>(5)).empty());
    EXPECT_TRUE(StartMenuKey(static_cast<BrowserKind>(255)).empty());
}

}  // namespace
