#include "browsers/PluginRegistry.h"

#include <gtest/gtest.h>

#include "platform/SystemInfo.h"
#include "support/ReadOnlyRegistryKey.h"
#include "support/ScratchRegistry.h"

namespace {

constexpr REGSAM k64 = KEY_WOW64_64KEY;
constexpr REGSAM k32 = KEY_WOW64_32KEY;
const std::wstring kUserKey = L"SOFTWARE\\MozillaPlugins";
const std::wstring kMachineKey = L"SOFTWARE\\MozillaPlugins";  // as each view names it

std::vector<const TBrowserExtensionInfo*> RecordsWithId(const ExtensionList& list, const std::wstring& id) {
    std::vector<const TBrowserExtensionInfo*> found;
    for (const auto& record : list)
        if (record->Id == id) found.push_back(record.get());
    return found;
}

// A unique plug-in name, so that what the prefix already holds does not matter.
std::wstring NewPluginName(const wchar_t* stem) { return std::wstring(stem) + L"-" + NewClsid().substr(1, 8); }

class PluginRegistry : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(IsWin64) << "these tests need the 64-bit Wine prefix"; }
    void TearDown() override { EXPECT_TRUE(registry.Restore()) << "a test key was left behind"; }

    void AddUserPlugin(const std::wstring& name, const std::wstring& product) {
        registry.CreateKey(HKEY_CURRENT_USER, kUserKey + L"\\" + name, 0);
        if (!product.empty()) registry.SetString(HKEY_CURRENT_USER, kUserKey + L"\\" + name, 0, L"ProductName", product);
    }

    ScratchRegistry registry;
};

TEST_F(PluginRegistry, ReadsBothLocationsWithTheirViewsAndFields) {
    const std::wstring machine = NewPluginName(L"@brivo.test/machine");
    const std::wstring user = NewPluginName(L"@brivo.test/user");
    const std::wstring machinePath = kMachineKey + L"\\" + machine;
    registry.SetString(HKEY_LOCAL_MACHINE, machinePath, k32, L"ProductName", L"Machine Player");
    registry.SetString(HKEY_LOCAL_MACHINE, machinePath, k32, L"Description", L"Plays things");
    registry.SetString(HKEY_LOCAL_MACHINE, machinePath, k32, L"Version", L"11.2.202");
    AddUserPlugin(user, L"User Viewer");

    ExtensionList list;
    ScanPlugins(list);
    const auto fromMachine = RecordsWithId(list, machine);
    ASSERT_EQ(fromMachine.size(), 1u);
    EXPECT_EQ(fromMachine[0]->Kind, AddonKind::Plugin);
    EXPECT_EQ(fromMachine[0]->Name, L"Machine Player");
    EXPECT_EQ(fromMachine[0]->Description, L"Plays things");
    EXPECT_EQ(fromMachine[0]->Version, L"11.2.202");
    EXPECT_EQ(fromMachine[0]->FilePath, L"HKEY_LOCAL_MACHINE\\SOFTWARE\\Wow6432Node\\MozillaPlugins\\" + machine);
    EXPECT_EQ(fromMachine[0]->NativeView, 0);
    EXPECT_FALSE(fromMachine[0]->Disabled);
    EXPECT_FALSE(fromMachine[0]->Icon) << "a registry path has no icon";
    EXPECT_TRUE(fromMachine[0]->IconUrl.empty());

    const auto fromUser = RecordsWithId(list, user);
    ASSERT_EQ(fromUser.size(), 1u);
    EXPECT_EQ(fromUser[0]->Name, L"User Viewer");
    EXPECT_EQ(fromUser[0]->FilePath, L"HKEY_CURRENT_USER\\SOFTWARE\\MozillaPlugins\\" + user);
    EXPECT_EQ(fromUser[0]->NativeView, 1);
}

TEST_F(PluginRegistry, NameFallsBackToTheSubkeyAndTheNativeMachineKeyIsIgnored) {
    const std::wstring unnamed = NewPluginName(L"npunnamed");
    AddUserPlugin(unnamed, L"");
    const std::wstring native = NewPluginName(L"@brivo.test/native64");
    registry.SetString(HKEY_LOCAL_MACHINE, kMachineKey + L"\\" + native, k64, L"ProductName", L"Native only");

    ExtensionList list;
    ScanPlugins(list);
    const auto records = RecordsWithId(list, unnamed);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->Name, unnamed);
    EXPECT_TRUE(RecordsWithId(list, native).empty());
}

TEST_F(PluginRegistry, On32BitWindowsOnlyTheUserKeyIsReadAndItIsNotNative) {
    const std::wstring machine = NewPluginName(L"@brivo.test/machine32");
    registry.SetString(HKEY_LOCAL_MACHINE, kMachineKey + L"\\" + machine, k32, L"ProductName", L"Machine");
    const std::wstring user = NewPluginName(L"@brivo.test/user32");
    AddUserPlugin(user, L"User");

    ExtensionList list;
    ScanPlugins(list, false);
    EXPECT_TRUE(RecordsWithId(list, machine).empty());
    const auto records = RecordsWithId(list, user);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_EQ(records[0]->NativeView, 0);
}

TEST_F(PluginRegistry, ReadPluginKeysMakesARecordForEveryNameInOrder) {
    const std::wstring present = NewPluginName(L"present");
    AddUserPlugin(present, L"Present");
    ExtensionList list;
    ReadPluginKeys(HKEY_CURRENT_USER, kUserKey, {L"missing-one", present}, 1, list);
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0]->Name, L"missing-one");
    EXPECT_TRUE(list[0]->Version.empty());
    EXPECT_EQ(list[1]->Name, L"Present");
}

TEST_F(PluginRegistry, RemovingAMachinePluginDeletesOnlyItsSubkey) {
    const std::wstring doomed = NewPluginName(L"@brivo.test/doomed");
    const std::wstring kept = NewPluginName(L"@brivo.test/kept");
    registry.SetString(HKEY_LOCAL_MACHINE, kMachineKey + L"\\" + doomed, k32, L"ProductName", L"Doomed");
    registry.SetString(HKEY_LOCAL_MACHINE, kMachineKey + L"\\" + doomed + L"\\MimeTypes\\x-brivo", k32, L"", L"");
    registry.SetString(HKEY_LOCAL_MACHINE, kMachineKey + L"\\" + kept, k32, L"ProductName", L"Kept");

    ExtensionList list;
    ScanPlugins(list);
    const auto records = RecordsWithId(list, doomed);
    ASSERT_EQ(records.size(), 1u);
    EXPECT_TRUE(RemovePlugin(*records[0]));
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kMachineKey + L"\\" + doomed, k32));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kMachineKey, k32));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kMachineKey + L"\\" + kept, k32));
}

TEST_F(PluginRegistry, RemovingAUserPluginAndPathsWithoutAKeyAreSafe) {
    const std::wstring doomed = NewPluginName(L"@brivo.test/userdoomed");
    AddUserPlugin(doomed, L"Doomed");
    TBrowserExtensionInfo record;
    record.FilePath = L"HKEY_CURRENT_USER\\SOFTWARE\\MozillaPlugins\\" + doomed;
    EXPECT_TRUE(RemovePlugin(record));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kUserKey + L"\\" + doomed, 0));
    EXPECT_FALSE(RemovePlugin(record)) << "a key that is gone already was not removed now";
    EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, kUserKey, 0));

    // A record without a key path must never reach a whole root.
    for (const wchar_t* path : {L"", L"HKEY_CURRENT_USER", L"HKEY_CURRENT_USER\\"}) {
        record.FilePath = path;
        EXPECT_FALSE(RemovePlugin(record));
        EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, L"Software", 0)) << "path: " << testing::PrintToString(path);
    }
}

TEST_F(PluginRegistry, ARemovalTheRegistryRefusesIsReported) {
    const std::wstring guarded = NewPluginName(L"@brivo.test/guarded");
    AddUserPlugin(guarded, L"Guarded");
    TBrowserExtensionInfo record;
    record.FilePath = L"HKEY_CURRENT_USER\\SOFTWARE\\MozillaPlugins\\" + guarded;
    {
        const ReadOnlyRegistryKey narrowed(HKEY_CURRENT_USER, kUserKey + L"\\" + guarded);
        ASSERT_TRUE(narrowed.Applied());
        EXPECT_FALSE(RemovePlugin(record));
        EXPECT_TRUE(RawKeyExists(HKEY_CURRENT_USER, kUserKey + L"\\" + guarded, 0));
    }
    EXPECT_TRUE(RemovePlugin(record));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kUserKey + L"\\" + guarded, 0));
}

TEST_F(PluginRegistry, AKeyThatDeniesFullAccessContributesNothing) {
    const std::wstring plugin = NewPluginName(L"@brivo.test/readonly");
    AddUserPlugin(plugin, L"Read only");
    {
        const ReadOnlyRegistryKey narrowed(HKEY_CURRENT_USER, kUserKey);
        ASSERT_TRUE(narrowed.Applied());
        HKEY probe = nullptr;
        ASSERT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey.c_str(), 0, KEY_ALL_ACCESS, &probe), ERROR_SUCCESS)
            << "the narrowed access list is not enforced";
        ASSERT_EQ(RegOpenKeyExW(HKEY_CURRENT_USER, kUserKey.c_str(), 0, KEY_READ, &probe), ERROR_SUCCESS);
        RegCloseKey(probe);

        ExtensionList list;
        ScanPlugins(list);
        EXPECT_TRUE(RecordsWithId(list, plugin).empty());
    }
    ExtensionList list;
    ScanPlugins(list);
    EXPECT_EQ(RecordsWithId(list, plugin).size(), 1u);
}

}  // namespace
