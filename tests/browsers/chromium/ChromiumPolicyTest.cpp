// Extensions whose settings entries the browser protects with codes in
// "Secure Preferences" are switched and removed through the browser's
// policy in HKEY_LOCAL_MACHINE (64-bit view), never by editing the file.
#include <gtest/gtest.h>

#include <memory>

#include "ChromiumTestFiles.h"
#include "app/AppConfig.h"
#include "browsers/BrowserList.h"
#include "browsers/chromium/ChromeExtensions.h"
#include "browsers/chromium/ExtensionPolicy.h"
#include "browsers/chromium/PolicyCleanup.h"
#include "browsers/chromium/PolicyMarks.h"
#include "platform/BrivoError.h"
#include "platform/Utf.h"
#include "support/ScratchRegistry.h"

namespace {

const std::wstring kTabs = L"aaaabbbbccccddddeeeeffffgggghhhh";
const std::wstring kDark = L"bbbbccccddddeeeeffffgggghhhhiiii";
const std::wstring kPlain = L"ccccddddeeeeffffgggghhhhiiiijjjj";
const std::wstring kOther = L"ppppoooonnnnmmmmllllkkkkjjjjiiii";
constexpr REGSAM kView = KEY_WOW64_64KEY;

// "Preferences" of a protected profile: everything but the extensions.
const char kPrefs[] = "{\"browser\":{\"window_placement\":{\"left\":10}},\"extensions\":{\"alerts\":{}}}\n";

// Tab Saver and Dark Reader carry codes; Plain has none. Dark Reader is kept
// off by the browser itself (the user's reason 1).
const char kSecurePrefs[] =
    "{\n"
    "  \"extensions\": { \"settings\": {\n"
    "    \"aaaabbbbccccddddeeeeffffgggghhhh\": { \"path\": \"aaaabbbbccccddddeeeeffffgggghhhh\\\\1.0_0\",\n"
    "        \"manifest\": { \"name\": \"Tab Saver\", \"version\": \"1.0\" } },\n"
    "    \"bbbbccccddddeeeeffffgggghhhhiiii\": { \"path\": \"bbbbccccddddeeeeffffgggghhhhiiii\\\\1.0_0\",\n"
    "        \"disable_reasons\": [1], \"manifest\": { \"name\": \"Dark Reader\", \"version\": \"1.0\" } },\n"
    "    \"ccccddddeeeeffffgggghhhhiiiijjjj\": { \"path\": \"ccccddddeeeeffffgggghhhhiiiijjjj\\\\1.0_0\",\n"
    "        \"manifest\": { \"name\": \"Plain\", \"version\": \"1.0\" } }\n"
    "  } },\n"
    "  \"protection\": { \"macs\": { \"extensions\": { \"settings\": {\n"
    "    \"aaaabbbbccccddddeeeeffffgggghhhh\": \"5D0C1A0E0F6B3C0D2C5F9E3A1B7A4E8F0D8C2B6A1F0E9D8C7B6A5F4E3D2C1B0A\",\n"
    "    \"bbbbccccddddeeeeffffgggghhhhiiii\": \"0A1B2C3D4E5F60718293A4B5C6D7E8F90A1B2C3D4E5F60718293A4B5C6D7E8F9\"\n"
    "  } } }, \"super_mac\": \"C3D2E1F0\" }\n"
    "}\n";

struct BrowserCase {
    BrowserId browser;
    const wchar_t* policyKey;
    const wchar_t* watched;  // the outermost key the test may create
};

class ProtectedProfile : public ::testing::TestWithParam<BrowserCase> {
protected:
    void SetUp() override {
        SetSettingsFolderForTests(settings.Path());
        // A run cut off before its clean-up leaves the policy keys behind;
        // they belong to the tests in this prefix, so start without them.
        HKEY policies = nullptr;
        if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, L"SOFTWARE", 0, KEY_ALL_ACCESS | kView, &policies) == ERROR_SUCCESS) {
            RegDeleteTreeW(policies, std::wstring(GetParam().watched).substr(9).c_str());
            RegCloseKey(policies);
        }
        registry.Watch(HKEY_LOCAL_MACHINE, GetParam().watched, kView);
        profile = sandbox.MakeUserDataProfile(FactsOf(GetParam().browser).userData, L"Default", kPrefs);
        WriteBytes(profile + L"Secure Preferences", kSecurePrefs);
        for (const std::wstring* id : {&kTabs, &kDark, &kPlain}) {
            MakeFolders(profile + L"Extensions\\" + *id + L"\\1.0_0");
            WriteBytes(profile + L"Extensions\\" + *id + L"\\1.0_0\\manifest.json", "{}");
        }
        SetPolicyJournal([this](const PolicyChange& change) { journal.push_back(change); });
    }
    void TearDown() override {
        SetPolicyJournal(nullptr);
        SetSettingsFolderForTests(L"");
    }

    std::unique_ptr<TChromeExtensions> Read() const {
        return std::make_unique<TChromeExtensions>(GetParam().browser,
                                                   TBrowserProfile{profile, L"Default", L"Person 1"});
    }
    static TBrowserExtensionInfo* Find(const TBrowserAppBase& adapter, const std::wstring& id) {
        for (const auto& record : adapter.Extensions)
            if (record->Id == id) return record.get();
        return nullptr;
    }
    std::wstring Blocklist() const { return std::wstring(GetParam().policyKey) + L"\\ExtensionInstallBlocklist"; }
    std::wstring Entry(const wchar_t* name) const { return RawString(HKEY_LOCAL_MACHINE, Blocklist(), kView, name); }
    std::wstring Settings() const {
        return RawString(HKEY_LOCAL_MACHINE, GetParam().policyKey, kView, L"ExtensionSettings");
    }
    // Both files exactly as the browser wrote them.
    void ExpectFilesUntouched() const {
        EXPECT_EQ(ReadBytes(profile + L"Secure Preferences"), kSecurePrefs);
        EXPECT_EQ(ReadBytes(profile + L"Preferences"), kPrefs);
    }

    ScratchFolder settings{L"policy-settings"};
    ScratchRegistry registry;
    BrowserSandbox sandbox;
    std::wstring profile;
    std::vector<PolicyChange> journal;
};

TEST_P(ProtectedProfile, SwitchingOffAndOnGoesThroughTheBlocklistAndKeepsOthersEntries) {
    registry.SetString(HKEY_LOCAL_MACHINE, Blocklist(), kView, L"1", kOther);
    auto adapter = Read();
    TBrowserExtensionInfo* tabs = Find(*adapter, kTabs);
    ASSERT_NE(tabs, nullptr);
    EXPECT_TRUE(tabs->ManagedByPolicy);
    EXPECT_FALSE(tabs->Disabled);
    EXPECT_FALSE(Find(*adapter, kPlain)->ManagedByPolicy) << "an entry without a code keeps the file's route";

    EXPECT_TRUE(adapter->ToggleExtension(tabs));
    EXPECT_EQ(Entry(L"1"), kOther);
    EXPECT_EQ(Entry(L"2"), kTabs);
    ExpectFilesUntouched();
    ASSERT_EQ(journal.size(), 1u);
    EXPECT_EQ(journal[0], (PolicyChange{Blocklist(), PolicyView::Native64, L"2", std::nullopt, kTabs}));
    EXPECT_TRUE(Find(*Read(), kTabs)->Disabled) << "read again, the blocked extension shows off";

    EXPECT_FALSE(adapter->ToggleExtension(tabs));
    EXPECT_EQ(Entry(L"1"), kOther);
    EXPECT_FALSE(RawValueExists(HKEY_LOCAL_MACHINE, Blocklist(), kView, L"2"));
    ExpectFilesUntouched();
    EXPECT_FALSE(Find(*Read(), kTabs)->Disabled);
    EXPECT_TRUE(MarkedIds(GetParam().policyKey, PolicyMark::Blocked).empty());
}

TEST_P(ProtectedProfile, TakingOurEntryAwayLeavesNoGapAndTheJournalUndoesIt) {
    auto adapter = Read();
    TBrowserExtensionInfo* tabs = Find(*adapter, kTabs);
    adapter->ToggleExtension(tabs);
    ASSERT_EQ(Entry(L"1"), kTabs);
    // Meanwhile someone else adds two entries behind ours.
    registry.SetString(HKEY_LOCAL_MACHINE, Blocklist(), kView, L"2", kOther);
    registry.SetString(HKEY_LOCAL_MACHINE, Blocklist(), kView, L"3", L"*");
    journal.clear();
    // "*" blocks every extension: that one is not ours to lift.
    EXPECT_THROW(adapter->ToggleExtension(tabs), BrivoError);
    EXPECT_TRUE(journal.empty());
    registry.SetString(HKEY_LOCAL_MACHINE, Blocklist(), kView, L"3", kDark + L"x");

    adapter->ToggleExtension(tabs);
    EXPECT_FALSE(tabs->Disabled);
    EXPECT_EQ(Entry(L"1"), kDark + L"x") << "the last entry moved into our number";
    EXPECT_EQ(Entry(L"2"), kOther);
    EXPECT_FALSE(RawValueExists(HKEY_LOCAL_MACHINE, Blocklist(), kView, L"3"));
    ASSERT_EQ(journal.size(), 2u);
    // Taken back newest first, the journal's records restore the list.
    const std::vector<PolicyChange> made = journal;
    for (auto change = made.rbegin(); change != made.rend(); ++change) ASSERT_TRUE(ApplyPolicyChange(Reversed(*change)));
    EXPECT_EQ(journal.size(), 4u) << "the undoing is journaled too";
    EXPECT_EQ(Entry(L"1"), kTabs);
    EXPECT_EQ(Entry(L"2"), kOther);
    EXPECT_EQ(Entry(L"3"), kDark + L"x");
}

TEST_P(ProtectedProfile, SomeoneElsesEntryIsRefusedWithTheNoteAndNothingChanges) {
    registry.SetString(HKEY_LOCAL_MACHINE, Blocklist(), kView, L"1", kTabs);
    auto adapter = Read();
    TBrowserExtensionInfo* tabs = Find(*adapter, kTabs);
    ASSERT_TRUE(tabs->Disabled) << "what the list blocks shows off";
    try {
        adapter->ToggleExtension(tabs);
        ADD_FAILURE() << "switching on was not refused";
    } catch (const BrivoError& error) {
        EXPECT_NE(std::string(error.what()).find("administrator"), std::string::npos) << error.what();
    }
    EXPECT_TRUE(tabs->Disabled);
    EXPECT_EQ(Entry(L"1"), kTabs);
    EXPECT_TRUE(journal.empty());
    ExpectFilesUntouched();

    // Switched off in the browser itself: only the browser may switch it on.
    TBrowserExtensionInfo* dark = Find(*adapter, kDark);
    ASSERT_TRUE(dark->Disabled);
    EXPECT_THROW(adapter->ToggleExtension(dark), BrivoError);
    EXPECT_TRUE(journal.empty());
    ExpectFilesUntouched();
}

TEST_P(ProtectedProfile, RemovalMergesTheMarkAndStartUpTakesItBackOnceTheBrowserLetGo) {
    const std::wstring others = L"{\"*\": {\"blocked_permissions\": [\"usb\"]}}";
    registry.SetString(HKEY_LOCAL_MACHINE, GetParam().policyKey, kView, L"ExtensionSettings", others);
    auto adapter = Read();
    adapter->ToggleExtension(Find(*adapter, kTabs));  // ours on the list: removal takes it away too
    ASSERT_TRUE(adapter->RemoveExtension(Find(*adapter, kTabs)));
    EXPECT_EQ(Find(*adapter, kTabs), nullptr) << "the row goes";
    EXPECT_EQ(Settings(), L"{\"*\":{\"blocked_permissions\":[\"usb\"]},"
                          L"\"aaaabbbbccccddddeeeeffffgggghhhh\":{\"installation_mode\":\"removed\"}}");
    EXPECT_FALSE(RawValueExists(HKEY_LOCAL_MACHINE, Blocklist(), kView, L"1"));
    EXPECT_TRUE(PathExists(profile + L"Extensions\\" + kTabs)) << "the browser uninstalls it itself";
    ExpectFilesUntouched();

    // Until the browser has run, the program does not list it and keeps the mark.
    {
        BrowserList list;
        list.push_back(Read());
        EXPECT_EQ(Find(*list.front(), kTabs), nullptr);
        TakeBackRemovedMarks(list);
        EXPECT_NE(Settings().find(L"removed"), std::wstring::npos);
    }
    // The browser has uninstalled it: its entry and folder are gone.
    std::string secure = kSecurePrefs;
    const std::size_t at = secure.find("    \"aaaabbbb");
    secure.erase(at, secure.find("    \"bbbb") - at);
    WriteBytes(profile + L"Secure Preferences", secure);
    RemoveTree(profile + L"Extensions\\" + kTabs);
    BrowserList list;
    list.push_back(Read());
    TakeBackRemovedMarks(list);
    EXPECT_EQ(Settings(), L"{\"*\":{\"blocked_permissions\":[\"usb\"]}}");
    EXPECT_TRUE(MarkedIds(GetParam().policyKey, PolicyMark::Removed).empty());
}

INSTANTIATE_TEST_SUITE_P(
    Browsers, ProtectedProfile,
    ::testing::Values(BrowserCase{BrowserId::Brave, L"SOFTWARE\\Policies\\BraveSoftware\\Brave",
                                  L"SOFTWARE\\Policies\\BraveSoftware"},
                      BrowserCase{BrowserId::Edge, L"SOFTWARE\\Policies\\Microsoft\\Edge",
                                  L"SOFTWARE\\Policies\\Microsoft\\Edge"}),
    [](const auto& info) { return info.param.browser == BrowserId::Brave ? "Brave" : "Edge"; });

// Settings in "Preferences" (codes or not), or a browser without a
// documented policy key: the file's route, byte for byte as always.
TEST(UnprotectedProfile, TakesTheSettingsFilesRouteAndLeavesThePolicyAlone) {
    ScratchFolder settings{L"policy-settings"};
    SetSettingsFolderForTests(settings.Path());
    ScratchRegistry registry;
    registry.Watch(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Policies\\BraveSoftware", kView);
    BrowserSandbox sandbox;
    const std::string prefs =
        "{\"extensions\": {\"settings\": {\"aaaabbbbccccddddeeeeffffgggghhhh\": {\"state\": 1, \"path\": \"x\"}}}}";
    const std::wstring brave = sandbox.MakeUserDataProfile(FactsOf(BrowserId::Brave).userData, L"Default", prefs);
    // Linux-style: codes in "Secure Preferences" for entries that live in "Preferences".
    WriteBytes(brave + L"Secure Preferences",
               "{\"protection\":{\"macs\":{\"extensions\":{\"settings\":{\"aaaabbbbccccddddeeeeffffgggghhhh\":\"AB\"}}}}}");
    MakeFolders(brave + L"Extensions\\" + kTabs);
    TChromeExtensions adapter(BrowserId::Brave, TBrowserProfile{brave, L"Default", L""});
    ASSERT_EQ(adapter.Extensions.size(), 1u);
    EXPECT_FALSE(adapter.Extensions[0]->ManagedByPolicy);
    adapter.ToggleExtension(adapter.Extensions[0].get());
    EXPECT_EQ(ReadBytes(brave + L"Preferences"),
              R"({"extensions":{"settings":{"aaaabbbbccccddddeeeeffffgggghhhh":{"state":0,"path":"x"}},)"
              R"("known_disabled":["aaaabbbbccccddddeeeeffffgggghhhh"]}})");
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Policies\\BraveSoftware", kView));

    // Comodo Dragon documents no policy key: even protected entries keep the file's route.
    const std::wstring dragon =
        sandbox.MakeUserDataProfile(FactsOf(BrowserId::ComodoDragon).userData, L"Default", "");
    WriteBytes(dragon + L"Secure Preferences", kSecurePrefs);
    MakeFolders(dragon + L"Extensions\\" + kTabs);
    TChromeExtensions comodo(BrowserId::ComodoDragon, TBrowserProfile{dragon, L"Default", L""});
    ASSERT_EQ(comodo.Extensions.size(), 1u);
    EXPECT_FALSE(comodo.Extensions[0]->ManagedByPolicy);
    comodo.ToggleExtension(comodo.Extensions[0].get());
    EXPECT_NE(ReadBytes(dragon + L"Secure Preferences")
                  .find(R"("manifest":{"name":"Tab Saver","version":"1.0"},"disable_reasons":[1]})"),
              std::string::npos);
    SetSettingsFolderForTests(L"");
}

}  // namespace
