#include "browsers/ie/IESweeper.h"

#include <gtest/gtest.h>

#include "support/IERegistry.h"
#include "support/ScratchRegistry.h"
#include "platform/SystemInfo.h"

namespace {

std::vector<TPlugItem> ItemsNamed(const TIESweeper& sweeper, IEPlugKind kind, const std::wstring& clsid,
                                  const std::wstring& name = {}) {
    std::vector<TPlugItem> found;
    for (int i = 0; i < sweeper.Count(); ++i) {
        const TPlugItem* item = sweeper.Items(i);
        if (item->Kind == kind && item->Clsid == clsid && (name.empty() || item->Name == name))
            found.push_back(*item);
    }
    return found;
}

class IESweeperRegistry : public IERegistryTest {};

TEST_F(IESweeperRegistry, TestClassesReachBothViews) {
    // The fixture's own assumption: the literal Wow6432Node path holds the
    // 32-bit class registrations.
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, false, L"Thirty-two", L"");
    EXPECT_EQ(RawString(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid, k32, L""), L"Thirty-two");
    EXPECT_FALSE(RawKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid, k64));
}

TEST_F(IESweeperRegistry, HelperObjectsAreListedWithTheirClassNameAndDll) {
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, true, L"Brivo Test Helper", L"C:\\Test\\helper64.dll");
    RegisterBho(clsid, k64);
    const TIESweeper sweeper;
    const auto items = ItemsNamed(sweeper, IEPlugKind::BrowserHelperObject, clsid);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].Name, L"Brivo Test Helper");
    EXPECT_EQ(items[0].FilePath, L"C:\\Test\\helper64.dll");
    EXPECT_EQ(items[0].NativeView, 1);
    EXPECT_FALSE(items[0].Disabled);
}

TEST_F(IESweeperRegistry, HelperObjectWithoutClassRegistrationIsNotListed) {
    const std::wstring clsid = NewClsid();
    RegisterBho(clsid, k64);
    RegisterBho(clsid, k32);
    const TIESweeper sweeper;
    EXPECT_TRUE(ItemsNamed(sweeper, IEPlugKind::BrowserHelperObject, clsid).empty());
}

TEST_F(IESweeperRegistry, HelperObjectInBothViewsIsListedOncePerView) {
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, true, L"Both Views", L"C:\\Test\\both.dll");
    RegisterBho(clsid, k64);
    RegisterBho(clsid, k32);
    const TIESweeper sweeper;
    const auto items = ItemsNamed(sweeper, IEPlugKind::BrowserHelperObject, clsid);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].NativeView, 1);
    EXPECT_EQ(items[1].NativeView, 0);
    EXPECT_EQ(items[1].Name, L"Both Views");
}

TEST_F(IESweeperRegistry, ClassLookupPrefersThe64BitClassAndFallsBackToThe32BitOne) {
    const std::wstring both = NewClsid();
    RegisterClass(both, true, L"Sixty-four", L"C:\\Test\\64.dll");
    RegisterClass(both, false, L"Thirty-two", L"C:\\Test\\32.dll");
    RegisterBho(both, k32);
    const std::wstring only32 = NewClsid();
    RegisterClass(only32, false, L"Only 32", L"C:\\Test\\only32.dll");
    RegisterBho(only32, k32);
    const TIESweeper sweeper;
    const auto fromBoth = ItemsNamed(sweeper, IEPlugKind::BrowserHelperObject, both);
    ASSERT_EQ(fromBoth.size(), 1u);
    EXPECT_EQ(fromBoth[0].NativeView, 0);
    EXPECT_EQ(fromBoth[0].Name, L"Sixty-four");
    EXPECT_EQ(fromBoth[0].FilePath, L"C:\\Test\\64.dll");
    const auto fromOnly32 = ItemsNamed(sweeper, IEPlugKind::BrowserHelperObject, only32);
    ASSERT_EQ(fromOnly32.size(), 1u);
    EXPECT_EQ(fromOnly32[0].Name, L"Only 32");
    EXPECT_EQ(fromOnly32[0].FilePath, L"C:\\Test\\only32.dll");
}

TEST_F(IESweeperRegistry, On32BitWindowsOnlyTheNativePathIsRead) {
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, true, L"Sixty-four", L"");
    RegisterClass(clsid, false, L"Thirty-two", L"");
    RegisterBho(clsid, k64);
    RegisterBho(clsid, k32);
    IsWin64 = false;  // a 32-bit process on 32-bit Windows sees only its own view
    const TIESweeper sweeper;
    IsWin64 = true;
    const auto items = ItemsNamed(sweeper, IEPlugKind::BrowserHelperObject, clsid);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].NativeView, 1);
    EXPECT_EQ(items[0].Name, L"Thirty-two");
}

TEST_F(IESweeperRegistry, ToolbarValuesNamingNoClassAreDropped) {
    const std::wstring known = NewClsid();
    const std::wstring unknown = NewClsid();
    RegisterClass(known, true, L"Brivo Test Toolbar", L"C:\\Test\\bar.dll");
    RegisterToolbar(known, k64);
    RegisterToolbar(unknown, k64);
    RegisterToolbar(known, k32);
    const TIESweeper sweeper;
    const auto items = ItemsNamed(sweeper, IEPlugKind::Toolbar, known);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].Name, L"Brivo Test Toolbar");
    EXPECT_EQ(items[0].FilePath, L"C:\\Test\\bar.dll");
    EXPECT_EQ(items[0].NativeView, 1);
    EXPECT_EQ(items[1].NativeView, 0);
    EXPECT_TRUE(ItemsNamed(sweeper, IEPlugKind::Toolbar, unknown).empty());
}

TEST_F(IESweeperRegistry, ButtonsTakeButtonTextElseMenuTextAndHotIconElseIcon) {
    const std::wstring full = NewClsid();
    registry.SetString(HKEY_LOCAL_MACHINE, kButtons + full, k64, L"ButtonText", L"Button");
    registry.SetString(HKEY_LOCAL_MACHINE, kButtons + full, k64, L"MenuText", L"Menu");
    registry.SetString(HKEY_LOCAL_MACHINE, kButtons + full, k64, L"HotIcon", L"C:\\hot.ico");
    registry.SetString(HKEY_LOCAL_MACHINE, kButtons + full, k64, L"Icon", L"C:\\plain.ico");
    const std::wstring menuOnly = NewClsid();
    registry.SetString(HKEY_LOCAL_MACHINE, kButtons + menuOnly, k32, L"MenuText", L"Menu item");
    registry.SetString(HKEY_LOCAL_MACHINE, kButtons + menuOnly, k32, L"Icon", L"C:\\item.ico");
    const std::wstring nameless = NewClsid();
    registry.SetString(HKEY_LOCAL_MACHINE, kButtons + nameless, k64, L"Icon", L"C:\\nameless.ico");
    const TIESweeper sweeper;

    const auto fullItems = ItemsNamed(sweeper, IEPlugKind::ToolbarButton, full);
    ASSERT_EQ(fullItems.size(), 1u);
    EXPECT_EQ(fullItems[0].Name, L"Button");
    EXPECT_EQ(fullItems[0].FilePath, L"C:\\hot.ico");
    // The 32-bit button's texts come from the 32-bit key it was found in.
    const auto menuItems = ItemsNamed(sweeper, IEPlugKind::ToolbarButton, menuOnly);
    ASSERT_EQ(menuItems.size(), 1u);
    EXPECT_EQ(menuItems[0].Name, L"Menu item");
    EXPECT_EQ(menuItems[0].FilePath, L"C:\\item.ico");
    EXPECT_EQ(menuItems[0].NativeView, 0);
    EXPECT_TRUE(ItemsNamed(sweeper, IEPlugKind::ToolbarButton, nameless).empty());
}

TEST_F(IESweeperRegistry, ContextMenuEntriesAreListedByTextAndAreNeverOff) {
    // An entry whose text looks like a class identifier with a switch key
    // that says "off": entries have no switch, so it stays on.
    const std::wstring text = NewClsid();
    registry.SetString(HKEY_CURRENT_USER, kMenu + text, kShared, L"", L"res://C:\\Test\\menu.dll/201");
    registry.SetNumber(HKEY_CURRENT_USER, kSettings + text, kShared, L"Flags", 1);
    const TIESweeper sweeper;
    std::vector<TPlugItem> entries;
    for (int i = 0; i < sweeper.Count(); ++i)
        if (sweeper.Items(i)->Kind == IEPlugKind::ContextMenuEntry && sweeper.Items(i)->Name == text)
            entries.push_back(*sweeper.Items(i));
    ASSERT_EQ(entries.size(), 1u);
    EXPECT_TRUE(entries[0].Clsid.empty());
    EXPECT_EQ(entries[0].FilePath, L"res://C:\\Test\\menu.dll/201");
    EXPECT_EQ(entries[0].NativeView, 1);
    EXPECT_FALSE(entries[0].Disabled);

    // Toggling an entry writes no switch, not even on the Settings key itself.
    const std::wstring settingsRoot = kSettings.substr(0, kSettings.size() - 1);
    TIESweeper::ToggleItem(&entries[0], false);
    EXPECT_FALSE(RawValueExists(HKEY_CURRENT_USER, settingsRoot, kShared, L"Flags"));
    TIESweeper::ToggleItem(nullptr, false);
}

TEST_F(IESweeperRegistry, OnlyFlagsOneMeansSwitchedOff) {
    const std::wstring off = NewClsid();
    const std::wstring two = NewClsid();
    RegisterClass(off, true, L"Off Helper", L"");
    RegisterClass(two, true, L"Flags Two Helper", L"");
    RegisterBho(off, k64);
    RegisterBho(two, k64);
    registry.SetNumber(HKEY_CURRENT_USER, kSettings + off, kShared, L"Flags", 1);
    registry.SetNumber(HKEY_CURRENT_USER, kSettings + two, kShared, L"Flags", 2);
    const TIESweeper sweeper;
    const auto offItems = ItemsNamed(sweeper, IEPlugKind::BrowserHelperObject, off);
    const auto twoItems = ItemsNamed(sweeper, IEPlugKind::BrowserHelperObject, two);
    ASSERT_EQ(offItems.size(), 1u);
    ASSERT_EQ(twoItems.size(), 1u);
    EXPECT_TRUE(offItems[0].Disabled);
    EXPECT_FALSE(twoItems[0].Disabled);
    EXPECT_TRUE(TIESweeper::IsExtDisabled(off));
    EXPECT_FALSE(TIESweeper::IsExtDisabled(two));
    EXPECT_FALSE(TIESweeper::IsExtDisabled(NewClsid()));
    EXPECT_FALSE(TIESweeper::IsExtDisabled(L""));
}

TEST_F(IESweeperRegistry, SwitchingOffWritesFlagsOneAndVersionStar) {
    const std::wstring clsid = NewClsid();
    const std::wstring key = SettingsKey(clsid);
    EXPECT_TRUE(TIESweeper::SetExtEnabled(clsid, false));
    EXPECT_EQ(RawNumber(HKEY_CURRENT_USER, key, kShared, L"Flags"), 1);
    EXPECT_EQ(RawString(HKEY_CURRENT_USER, key, kShared, L"Version"), L"*");
    EXPECT_TRUE(TIESweeper::IsExtDisabled(clsid));
    // Earlier values are replaced.
    registry.SetNumber(HKEY_CURRENT_USER, key, kShared, L"Flags", 2);
    registry.SetString(HKEY_CURRENT_USER, key, kShared, L"Version", L"7.0");
    EXPECT_TRUE(TIESweeper::SetExtEnabled(clsid, false));
    EXPECT_EQ(RawNumber(HKEY_CURRENT_USER, key, kShared, L"Flags"), 1);
    EXPECT_EQ(RawString(HKEY_CURRENT_USER, key, kShared, L"Version"), L"*");
}

TEST_F(IESweeperRegistry, SwitchingOnDeletesTheWholeKey) {
    const std::wstring clsid = NewClsid();
    const std::wstring key = SettingsKey(clsid);
    registry.SetNumber(HKEY_CURRENT_USER, key, kShared, L"Flags", 1);
    registry.SetString(HKEY_CURRENT_USER, key, kShared, L"Other", L"written by someone else");
    registry.CreateKey(HKEY_CURRENT_USER, key + L"\\Child", kShared);
    EXPECT_TRUE(TIESweeper::SetExtEnabled(clsid, true));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, key, kShared));
    // Already on: nothing to delete, still on.
    EXPECT_TRUE(TIESweeper::SetExtEnabled(clsid, true));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, key, kShared));
}

TEST_F(IESweeperRegistry, ToggleItemFollowsTheCurrentState) {
    TPlugItem item;
    item.Kind = IEPlugKind::ToolbarButton;
    item.Clsid = NewClsid();
    const std::wstring key = SettingsKey(item.Clsid);
    TIESweeper::ToggleItem(&item, false);
    EXPECT_EQ(RawNumber(HKEY_CURRENT_USER, key, kShared, L"Flags"), 1);
    TIESweeper::ToggleItem(&item, true);
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, key, kShared));
}

TEST_F(IESweeperRegistry, SwitchRefusesNamesThatAreNotOneKey) {
    // A neighbour's switch key that a bad name must not reach.
    const std::wstring neighbour = NewClsid();
    registry.SetNumber(HKEY_CURRENT_USER, kSettings + neighbour, kShared, L"Flags", 1);
    const std::wstring settingsRoot = kSettings.substr(0, kSettings.size() - 1);
    EXPECT_FALSE(TIESweeper::SetExtEnabled(L"", false));
    EXPECT_FALSE(TIESweeper::SetExtEnabled(L"", true));
    EXPECT_FALSE(TIESweeper::SetExtEnabled(L"\\", true));
    EXPECT_FALSE(TIESweeper::SetExtEnabled(neighbour + L"\\x", false));
    EXPECT_EQ(RawNumber(HKEY_CURRENT_USER, kSettings + neighbour, kShared, L"Flags"), 1);
    EXPECT_FALSE(RawValueExists(HKEY_CURRENT_USER, settingsRoot, kShared, L"Flags"));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kSettings + neighbour + L"\\x", kShared));
}

TEST_F(IESweeperRegistry, RemovingAToolbarDeletesOnlyItsValue) {
    const std::wstring clsid = NewClsid();
    const std::wstring other = NewClsid();
    RegisterClass(clsid, true, L"Removed Toolbar", L"C:\\Test\\bar.dll");
    RegisterClass(other, true, L"Kept Toolbar", L"");
    RegisterToolbar(clsid, k64);
    RegisterToolbar(clsid, k32);
    RegisterToolbar(other, k64);
    registry.SetNumber(HKEY_CURRENT_USER, kSettings + clsid, kShared, L"Flags", 1);
    EXPECT_TRUE(TIESweeper::RemoveToolbar(clsid, 1));
    EXPECT_FALSE(RawValueExists(HKEY_LOCAL_MACHINE, kToolbar, k64, clsid));
    EXPECT_TRUE(RawValueExists(HKEY_LOCAL_MACHINE, kToolbar, k32, clsid));
    EXPECT_TRUE(RawValueExists(HKEY_LOCAL_MACHINE, kToolbar, k64, other));
    EXPECT_EQ(RawString(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid, k64, L""), L"Removed Toolbar");
    EXPECT_EQ(RawNumber(HKEY_CURRENT_USER, kSettings + clsid, kShared, L"Flags"), 1);
    const TIESweeper rescan;
    const auto items = ItemsNamed(rescan, IEPlugKind::Toolbar, clsid);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].NativeView, 0);
    EXPECT_TRUE(TIESweeper::RemoveToolbar(clsid, 0));
    EXPECT_FALSE(RawValueExists(HKEY_LOCAL_MACHINE, kToolbar, k32, clsid));
    EXPECT_FALSE(TIESweeper::RemoveToolbar(clsid, 0));
    EXPECT_FALSE(TIESweeper::RemoveToolbar(L"", 1));
}

TEST_F(IESweeperRegistry, RemovingAHelperObjectOrButtonDeletesItsKeyInOneView) {
    const std::wstring bho = NewClsid();
    RegisterClass(bho, true, L"Removed Helper", L"C:\\Test\\helper.dll");
    RegisterBho(bho, k64);
    RegisterBho(bho, k32);
    registry.CreateKey(HKEY_LOCAL_MACHINE, kBho + bho + L"\\Sub", k64);
    EXPECT_TRUE(TIESweeper::RemoveBho(bho, 0));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + bho, k32));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + bho, k64));
    EXPECT_TRUE(TIESweeper::RemoveBho(bho, 1));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + bho, k64));
    EXPECT_TRUE(RawKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + bho + L"\\InprocServer32", k64));

    const std::wstring button = NewClsid();
    registry.SetString(HKEY_LOCAL_MACHINE, kButtons + button, k32, L"ButtonText", L"Gone");
    EXPECT_FALSE(TIESweeper::RemoveButton(button, 1));
    EXPECT_TRUE(TIESweeper::RemoveButton(button, 0));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kButtons + button, k32));
}

TEST_F(IESweeperRegistry, RemovingAMenuEntryDeletesItsKey) {
    const std::wstring text = L"Brivo test entry " + NewClsid();
    registry.SetString(HKEY_CURRENT_USER, kMenu + text, kShared, L"", L"res://menu.htm");
    registry.CreateKey(HKEY_CURRENT_USER, kMenu + text + L"\\Sub", kShared);
    EXPECT_TRUE(TIESweeper::RemoveMenuEntry(text, 1));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kMenu + text, kShared));
}

TEST_F(IESweeperRegistry, RemovalRefusesNamesThatWouldReachTheParentKey) {
    // An empty name joined to the path names the whole list of add-ons.
    const std::wstring text = L"Brivo test entry " + NewClsid();
    registry.SetString(HKEY_CURRENT_USER, kMenu + text, kShared, L"", L"res://menu.htm");
    const std::wstring bho = NewClsid();
    RegisterBho(bho, k64);
    EXPECT_FALSE(TIESweeper::RemoveMenuEntry(L"", 1));
    EXPECT_FALSE(TIESweeper::RemoveMenuEntry(L"\\", 1));
    EXPECT_FALSE(TIESweeper::RemoveBho(L"", 1));
    EXPECT_FALSE(TIESweeper::RemoveButton(L"", 1));
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, kMenu + text, kShared));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + bho, k64));
}

TEST_F(IESweeperRegistry, ItemsOutOfRangeAreNone) {
    const TIESweeper sweeper;
    EXPECT_EQ(sweeper.Items(-1), nullptr);
    EXPECT_EQ(sweeper.Items(sweeper.Count()), nullptr);
    if (sweeper.Count() > 0) {
        EXPECT_NE(sweeper.Items(sweeper.Count() - 1), nullptr);
    }
}

}  // namespace
