#include "browsers/ie/IEExtensions.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "browsers/CompareExtensions.h"
#include "platform/SystemInfo.h"
#include "support/ReadOnlyRegistryKey.h"
#include "support/IERegistry.h"
#include "support/ScratchRegistry.h"

namespace {


// Wine's own library with icons; a 32-bit process reaches the SysWOW64 copy.
const std::wstring kIconDll = L"C:\\windows\\system32\\shell32.dll";

std::vector<TBrowserExtensionInfo*> RecordsWithId(const TBrowserAppBase& adapter, const std::wstring& id) {
    std::vector<TBrowserExtensionInfo*> found;
    for (int i = 0; i < adapter.GetExtensionCount(); ++i)
        if (adapter.GetExtension(i)->Id == id) found.push_back(adapter.GetExtension(i));
    return found;
}

TBrowserExtensionInfo* RecordWithIdInView(const TBrowserAppBase& adapter, const std::wstring& id,
                                          std::uint8_t native) {
    for (TBrowserExtensionInfo* record : RecordsWithId(adapter, id))
        if (record->NativeView == native) return record;
    return nullptr;
}

TBrowserExtensionInfo* RecordNamed(const TBrowserAppBase& adapter, const std::wstring& name) {
    for (int i = 0; i < adapter.GetExtensionCount(); ++i)
        if (adapter.GetExtension(i)->Name == name) return adapter.GetExtension(i);
    return nullptr;
}

int IndexOf(const TBrowserAppBase& adapter, const TBrowserExtensionInfo* record) {
    for (int i = 0; i < adapter.GetExtensionCount(); ++i)
        if (adapter.GetExtension(i) == record) return i;
    return -1;
}

// A unique text, so that what the prefix already holds does not matter.
std::wstring Unique(const wchar_t* stem) { return std::wstring(stem) + L" " + NewClsid().substr(1, 8); }

class IEAdapter : public IERegistryTest {};

TEST_F(IEAdapter, IsAlwaysFoundWithItsFixedFields) {
    const TIEExtensions adapter;
    EXPECT_EQ(adapter.DataPath, L"C:\\Program Files\\Internet Explorer\\");
    EXPECT_EQ(adapter.Kind, BrowserKind::InternetExplorer);
    EXPECT_EQ(adapter.Description, L"Internet Explorer");
    EXPECT_EQ(adapter.DisplayName, L"Internet Explorer");
    EXPECT_EQ(adapter.OpenCommand, L"C:\\Program Files\\Internet Explorer\\iexplore.exe");
    EXPECT_TRUE(adapter.PrefsFileName.empty());
    EXPECT_EQ(adapter.PrefsDocument, nullptr);
    EXPECT_TRUE(adapter.ReinstallCommand.empty());
    EXPECT_FALSE(adapter.IconHandle);
    EXPECT_FALSE(adapter.RatingsRequested);
    ASSERT_NE(adapter.Sweeper, nullptr);
    // One record per scanner entry, also when there are none.
    EXPECT_EQ(adapter.GetExtensionCount(), adapter.Sweeper->Count());
}

TEST_F(IEAdapter, RecordsCarryTheScannerFieldsAndButtonsBecomeToolbars) {
    const std::wstring bho = NewClsid();
    const std::wstring helperName = Unique(L"Brivo Test Helper");
    RegisterClass(bho, true, helperName, kIconDll);
    RegisterBho(bho, k64);
    registry.SetNumber(HKEY_CURRENT_USER, kSettings + bho, kShared, L"Flags", 1);
    const std::wstring button = NewClsid();
    RegisterButton(button, k32, Unique(L"Brivo Test Button"), L"C:\\Test\\missing.ico");
    const std::wstring menuText = Unique(L"Brivo Test Menu");
    RegisterMenuEntry(menuText, L"res://C:\\Test\\menu.dll/201");
    // A 32-bit toolbar whose class is registered in the 32-bit view only.
    const std::wstring toolbar = NewClsid();
    const std::wstring toolbarName = Unique(L"Brivo Test Toolbar");
    RegisterClass(toolbar, false, toolbarName, L"C:\\windows\\syswow64\\shell32.dll");
    RegisterToolbar(toolbar, k32);

    const TIEExtensions adapter;
    const auto helpers = RecordsWithId(adapter, bho);
    ASSERT_EQ(helpers.size(), 1u);
    const TBrowserExtensionInfo& helper = *helpers[0];
    EXPECT_EQ(helper.Kind, AddonKind::BrowserHelperObject);
    EXPECT_EQ(helper.Name, helperName);
    EXPECT_EQ(helper.Description, helper.Name);
    EXPECT_EQ(helper.FilePath, kIconDll);
    EXPECT_TRUE(helper.Disabled);
    EXPECT_EQ(helper.NativeView, 1);
    EXPECT_TRUE(helper.Icon) << "shell32.dll has icons";
    EXPECT_TRUE(helper.IconUrl.empty());
    EXPECT_TRUE(helper.Version.empty());
    EXPECT_EQ(helper.Rating, 0.0);

    const auto buttons = RecordsWithId(adapter, button);
    ASSERT_EQ(buttons.size(), 1u);
    EXPECT_EQ(buttons[0]->Kind, AddonKind::Toolbar);
    EXPECT_EQ(buttons[0]->FilePath, L"C:\\Test\\missing.ico");
    EXPECT_EQ(buttons[0]->NativeView, 0);
    EXPECT_FALSE(buttons[0]->Disabled);
    EXPECT_FALSE(buttons[0]->Icon) << "a missing file has no icon";

    const auto toolbars = RecordsWithId(adapter, toolbar);
    ASSERT_EQ(toolbars.size(), 1u);
    EXPECT_EQ(toolbars[0]->Kind, AddonKind::Toolbar);
    EXPECT_EQ(toolbars[0]->Name, toolbarName);
    EXPECT_EQ(toolbars[0]->FilePath, L"C:\\windows\\syswow64\\shell32.dll");
    EXPECT_EQ(toolbars[0]->NativeView, 0);
    EXPECT_TRUE(toolbars[0]->Icon);

    const TBrowserExtensionInfo* menu = RecordNamed(adapter, menuText);
    ASSERT_NE(menu, nullptr);
    EXPECT_EQ(menu->Kind, AddonKind::ContextMenuEntry);
    EXPECT_TRUE(menu->Id.empty());
    EXPECT_EQ(menu->Description, menuText);
    EXPECT_EQ(menu->FilePath, L"res://C:\\Test\\menu.dll/201");
    for (int i = 0; i < adapter.GetExtensionCount(); ++i)
        EXPECT_NE(static_cast<int>(adapter.GetExtension(i)->Kind), 3) << "no record keeps the button code";
}

TEST_F(IEAdapter, ListHasHelpersThenToolbarsAndButtonsThenMenuEntriesEachByName) {
    const std::wstring tag = NewClsid().substr(1, 8);
    const std::wstring helperB = NewClsid(), helperLowerB = NewClsid();
    RegisterClass(helperLowerB, true, L"b helper " + tag, L"");
    RegisterClass(helperB, true, L"B helper " + tag, L"");
    RegisterBho(helperLowerB, k64);
    RegisterBho(helperB, k32);
    const std::wstring toolbar = NewClsid(), button = NewClsid();
    RegisterClass(toolbar, true, L"Z toolbar " + tag, L"");
    RegisterToolbar(toolbar, k64);
    RegisterButton(button, k64, L"A button " + tag, L"");
    RegisterMenuEntry(L"0 menu " + tag, L"res://menu.htm");

    const TIEExtensions adapter;
    for (int i = 1; i < adapter.GetExtensionCount(); ++i)
        EXPECT_LE(CompareExtensions(*adapter.GetExtension(i - 1), *adapter.GetExtension(i)), 0) << "at " << i;
    const int order[] = {
        IndexOf(adapter, RecordNamed(adapter, L"B helper " + tag)),
        IndexOf(adapter, RecordNamed(adapter, L"b helper " + tag)),
        IndexOf(adapter, RecordNamed(adapter, L"A button " + tag)),
        IndexOf(adapter, RecordNamed(adapter, L"Z toolbar " + tag)),
        IndexOf(adapter, RecordNamed(adapter, L"0 menu " + tag)),
    };
    EXPECT_GE(order[0], 0);
    EXPECT_TRUE(std::is_sorted(std::begin(order), std::end(order)))
        << order[0] << " " << order[1] << " " << order[2] << " " << order[3] << " " << order[4];
}

TEST_F(IEAdapter, RemovingAButtonDeletesItsExtensionsKeyNotAToolbarValue) {
    // One id used for a toolbar and a button: each record removes its own.
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, true, Unique(L"Brivo Shared Toolbar"), L"");
    RegisterToolbar(clsid, k64);
    RegisterButton(clsid, k64, Unique(L"Brivo Shared Button"), L"");
    const std::wstring lone = NewClsid();
    RegisterButton(lone, k64, Unique(L"Brivo Lone Button"), L"");

    TIEExtensions adapter;
    ASSERT_EQ(RecordsWithId(adapter, clsid).size(), 2u);
    const int before = adapter.GetExtensionCount();
    TBrowserExtensionInfo* button = nullptr;
    for (TBrowserExtensionInfo* record : RecordsWithId(adapter, clsid))
        if (record->Name.rfind(L"Brivo Shared Button", 0) == 0) button = record;
    ASSERT_NE(button, nullptr);
    adapter.RemoveExtension(button);
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kButtons + clsid, k64));
    EXPECT_TRUE(RawValueExists(HKEY_LOCAL_MACHINE, kToolbar, k64, clsid));
    EXPECT_EQ(adapter.GetExtensionCount(), before - 1);

    adapter.RemoveExtension(RecordsWithId(adapter, lone).at(0));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kButtons + lone, k64));

    const auto toolbars = RecordsWithId(adapter, clsid);
    ASSERT_EQ(toolbars.size(), 1u);
    adapter.RemoveExtension(toolbars[0]);
    EXPECT_FALSE(RawValueExists(HKEY_LOCAL_MACHINE, kToolbar, k64, clsid));
    // The class registration stays.
    EXPECT_TRUE(RawKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid, k64));
    EXPECT_EQ(adapter.GetExtensionCount(), before - 3);
    EXPECT_TRUE(RecordsWithId(adapter, clsid).empty());
}

TEST_F(IEAdapter, RemovingThe32BitCopyOfAHelperKeepsTheNativeOne) {
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, true, Unique(L"Brivo Both Views"), kIconDll);
    RegisterBho(clsid, k64);
    RegisterBho(clsid, k32);

    TIEExtensions adapter;
    ASSERT_EQ(RecordsWithId(adapter, clsid).size(), 2u);
    adapter.RemoveExtension(RecordWithIdInView(adapter, clsid, 0));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + clsid, k32));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + clsid, k64));
    const auto left = RecordsWithId(adapter, clsid);
    ASSERT_EQ(left.size(), 1u);
    EXPECT_EQ(left[0]->NativeView, 1);

    adapter.RemoveExtension(left[0]);
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + clsid, k64));
    EXPECT_TRUE(RawKeyExists(HKEY_CLASSES_ROOT, L"CLSID\\" + clsid + L"\\InprocServer32", k64));
    EXPECT_TRUE(RecordsWithId(adapter, clsid).empty());
}

TEST_F(IEAdapter, RemovingAMenuEntryDeletesTheKeyNamedByItsText) {
    const std::wstring text = Unique(L"Brivo Send To Notes");
    RegisterMenuEntry(text, L"res://C:\\Test\\notes.dll/202");
    registry.CreateKey(HKEY_CURRENT_USER, kMenu + text + L"\\Sub", kShared);
    const std::wstring kept = Unique(L"Brivo Kept Entry");
    RegisterMenuEntry(kept, L"res://kept.htm");

    TIEExtensions adapter;
    TBrowserExtensionInfo* record = RecordNamed(adapter, text);
    ASSERT_NE(record, nullptr);
    EXPECT_TRUE(adapter.RemoveExtension(record));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kMenu + text, kShared));
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, kMenu + kept, kShared));
    EXPECT_EQ(RecordNamed(adapter, text), nullptr);
}

TEST_F(IEAdapter, ARemovalTheRegistryRefusesKeepsTheRecordListed) {
    const std::wstring text = Unique(L"Brivo Guarded Entry");
    RegisterMenuEntry(text, L"res://guarded.htm");
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, false, Unique(L"Brivo Guarded Helper"), L"");
    RegisterBho(clsid, k32);

    TIEExtensions adapter;
    const int count = adapter.GetExtensionCount();
    TBrowserExtensionInfo* menu = RecordNamed(adapter, text);
    TBrowserExtensionInfo* helper = RecordWithIdInView(adapter, clsid, 0);
    ASSERT_NE(menu, nullptr);
    ASSERT_NE(helper, nullptr);
    {
        const ReadOnlyRegistryKey guardedMenu(HKEY_CURRENT_USER, kMenu + text);
        const ReadOnlyRegistryKey guardedHelper(HKEY_LOCAL_MACHINE, kBho + clsid, k32);
        ASSERT_TRUE(guardedMenu.Applied() && guardedHelper.Applied());
        EXPECT_FALSE(adapter.RemoveExtension(menu));
        EXPECT_FALSE(adapter.RemoveExtension(helper));
        EXPECT_EQ(adapter.GetExtensionCount(), count);
        EXPECT_EQ(RecordNamed(adapter, text), menu);
        EXPECT_EQ(RecordWithIdInView(adapter, clsid, 0), helper);
        EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, kMenu + text, kShared));
        EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + clsid, k32));
    }
    EXPECT_TRUE(adapter.RemoveExtension(menu));
    EXPECT_TRUE(adapter.RemoveExtension(helper));
    EXPECT_EQ(adapter.GetExtensionCount(), count - 2);
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kMenu + text, kShared));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + clsid, k32));
}

TEST_F(IEAdapter, SwitchingOneCopyOfAHelperWritesTheSharedSwitchAndFlipsOnlyThatRecord) {
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, true, Unique(L"Brivo Switch Helper"), L"");
    RegisterBho(clsid, k64);
    RegisterBho(clsid, k32);
    const std::wstring key = SettingsKey(clsid);

    TIEExtensions adapter;
    TBrowserExtensionInfo* thirtyTwo = RecordWithIdInView(adapter, clsid, 0);
    TBrowserExtensionInfo* native = RecordWithIdInView(adapter, clsid, 1);
    ASSERT_NE(thirtyTwo, nullptr);
    ASSERT_NE(native, nullptr);
    EXPECT_TRUE(adapter.ToggleExtension(thirtyTwo));
    EXPECT_TRUE(thirtyTwo->Disabled);
    EXPECT_FALSE(native->Disabled);
    EXPECT_EQ(RawNumber(HKEY_CURRENT_USER, key, kShared, L"Flags"), 1);
    EXPECT_EQ(RawString(HKEY_CURRENT_USER, key, kShared, L"Version"), L"*");
    // The scanner's entries keep what the registry said at start-up.
    for (int i = 0; i < adapter.Sweeper->Count(); ++i)
        if (adapter.Sweeper->Items(i)->Clsid == clsid) {
            EXPECT_FALSE(adapter.Sweeper->Items(i)->Disabled);
        }

    EXPECT_FALSE(adapter.ToggleExtension(thirtyTwo));
    EXPECT_FALSE(thirtyTwo->Disabled);
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, key, kShared));
}

TEST_F(IEAdapter, SwitchingAnAddonThatIsOffDeletesItsWholeSwitchKey) {
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, true, Unique(L"Brivo Off Toolbar"), L"");
    RegisterToolbar(clsid, k32);
    registry.SetNumber(HKEY_CURRENT_USER, kSettings + clsid, kShared, L"Flags", 1);
    registry.SetString(HKEY_CURRENT_USER, kSettings + clsid, kShared, L"Other", L"written by someone else");

    TIEExtensions adapter;
    const auto records = RecordsWithId(adapter, clsid);
    ASSERT_EQ(records.size(), 1u);
    ASSERT_TRUE(records[0]->Disabled);
    EXPECT_FALSE(adapter.ToggleExtension(records[0]));
    EXPECT_FALSE(records[0]->Disabled);
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kSettings + clsid, kShared));
}

TEST_F(IEAdapter, ASwitchTheRegistryRefusesLeavesTheRecordAsItWas) {
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, true, Unique(L"Brivo Guarded Helper"), L"");
    RegisterBho(clsid, k64);
    // An empty switch key (the add-on is on) that may only be read.
    const std::wstring key = SettingsKey(clsid);
    registry.CreateKey(HKEY_CURRENT_USER, key, kShared);
    TIEExtensions adapter;
    TBrowserExtensionInfo* record = RecordWithIdInView(adapter, clsid, 1);
    ASSERT_NE(record, nullptr);
    ASSERT_FALSE(record->Disabled);
    {
        const ReadOnlyRegistryKey guarded(HKEY_CURRENT_USER, key);
        ASSERT_TRUE(guarded.Applied());
        EXPECT_FALSE(adapter.ToggleExtension(record)) << "reported as switched off";
        EXPECT_FALSE(record->Disabled);
        EXPECT_EQ(RawNumber(HKEY_CURRENT_USER, key, kShared, L"Flags"), -1);
    }
    EXPECT_TRUE(adapter.ToggleExtension(record));
    EXPECT_TRUE(record->Disabled);
    EXPECT_EQ(RawNumber(HKEY_CURRENT_USER, key, kShared, L"Flags"), 1);
}

TEST_F(IEAdapter, MenuEntriesAndRecordsOfOtherOwnersAreNeverTouched) {
    const std::wstring clsid = NewClsid();
    RegisterClass(clsid, true, Unique(L"Brivo Owned Helper"), L"");
    RegisterBho(clsid, k64);
    const std::wstring key = SettingsKey(clsid);
    const std::wstring text = Unique(L"Brivo Menu Without Switch");
    RegisterMenuEntry(text, L"res://menu.htm");
    const std::wstring settingsRoot = kSettings.substr(0, kSettings.size() - 1);

    TIEExtensions adapter;
    const int count = adapter.GetExtensionCount();
    TBrowserExtensionInfo* menu = RecordNamed(adapter, text);
    ASSERT_NE(menu, nullptr);
    EXPECT_FALSE(adapter.ToggleExtension(menu));
    EXPECT_FALSE(menu->Disabled);
    EXPECT_FALSE(RawValueExists(HKEY_CURRENT_USER, settingsRoot, kShared, L"Flags"));

    // A copy of an owned record, as another adapter or a stale pointer would hold it.
    TBrowserExtensionInfo stranger;
    const TBrowserExtensionInfo& owned = *RecordsWithId(adapter, clsid).at(0);
    stranger.Id = owned.Id;
    stranger.Name = owned.Name;
    stranger.Kind = owned.Kind;
    stranger.NativeView = owned.NativeView;
    EXPECT_FALSE(adapter.ToggleExtension(&stranger));
    EXPECT_FALSE(stranger.Disabled);
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, key, kShared));
    EXPECT_FALSE(adapter.RemoveExtension(&stranger));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + clsid, k64));
    EXPECT_FALSE(adapter.RemoveExtension(nullptr));
    EXPECT_FALSE(adapter.ToggleExtension(nullptr));
    EXPECT_EQ(adapter.GetExtensionCount(), count);
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcW(window, message, w, l);
}

TEST_F(IEAdapter, RunsWhileAnIEFrameWindowExistsAndIsNeverClosed) {
    TIEExtensions adapter;
    ASSERT_FALSE(adapter.IsBrowserRunning()) << "another IEFrame window is open";
    WNDCLASSW frameClass{};
    frameClass.lpfnWndProc = PlainWindowProc;
    frameClass.hInstance = GetModuleHandleW(nullptr);
    frameClass.lpszClassName = L"IEFrame";
    ASSERT_NE(::RegisterClassW(&frameClass), 0);
    HWND frame = CreateWindowExW(0, L"IEFrame", L"Brivo test frame", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                 nullptr, frameClass.hInstance, nullptr);
    ASSERT_NE(frame, nullptr) << "making a window needs a display (Xvfb)";
    EXPECT_TRUE(adapter.IsBrowserRunning());
    adapter.CloseBrowser();
    EXPECT_TRUE(IsWindow(frame));
    EXPECT_TRUE(adapter.IsBrowserRunning());
    DestroyWindow(frame);
    UnregisterClassW(L"IEFrame", frameClass.hInstance);
    EXPECT_FALSE(adapter.IsBrowserRunning());
}

}  // namespace
