#include <gtest/gtest.h>

#include "ChromiumTestFiles.h"
#include "app/AppConfig.h"
#include "browsers/chromium/ChromeExtensions.h"
#include "browsers/chromium/OperaExtensions.h"
#include "platform/BrivoError.h"
#include "platform/SystemErrorText.h"
#include "platform/Utf.h"
#include "support/ReadOnlyRegistryKey.h"
#include "support/ScratchRegistry.h"

namespace {

const std::wstring kTabs = L"aaaabbbbccccddddeeeeffffgggghhhh";
const std::wstring kDark = L"bbbbccccddddeeeeffffgggghhhhiiii";

// As a browser writes it: indented, with raw UTF-8, escapes and slashes.
const char kPrefs[] =
    "{\n"
    "   \"homepage\": \"https://example.com/start\",\n"
    "   \"profile\": { \"name\": \"Jos\xc3\xa9\", \"note\": \"5 \\u20ac / month\\tnet\", \"exit_type\": \"Normal\" },\n"
    "   \"zoom\": 1.5, \"counts\": [ 3, -7, true, null, {} ],\n"
    "   \"extensions\": {\n"
    "      \"settings\": {\n"
    "         \"aaaabbbbccccddddeeeeffffgggghhhh\": { \"state\": 1, \"path\": \"aaaabbbbccccddddeeeeffffgggghhhh\\\\2.0_0\",\n"
    "            \"manifest\": { \"name\": \"Tab Saver\", \"version\": \"2.0\" } },\n"
    "         \"bbbbccccddddeeeeffffgggghhhhiiii\": { \"state\": 0, \"path\": \"bbbbccccddddeeeeffffgggghhhhiiii\\\\1.0_0\",\n"
    "            \"manifest\": { \"name\": \"Dark Reader\", \"version\": \"1.0\" } }\n"
    "      },\n"
    "      \"known_disabled\": [ \"bbbbccccddddeeeeffffgggghhhhiiii\" ]\n"
    "   }\n"
    "}\n";

// kPrefs in the written form, with the two parts that switching changes.
std::string Written(int tabsState, const std::string& knownDisabled, bool withTabs = true, bool withDark = true) {
    std::string settings;
    if (withTabs)
        settings += R"("aaaabbbbccccddddeeeeffffgggghhhh":{"state":)" + std::to_string(tabsState) +
                    R"(,"path":"aaaabbbbccccddddeeeeffffgggghhhh\\2.0_0","manifest":{"name":"Tab Saver","version":"2.0"}})";
    if (withDark) {
        if (!settings.empty()) settings += ",";
        settings +=
            R"("bbbbccccddddeeeeffffgggghhhhiiii":{"state":0,"path":"bbbbccccddddeeeeffffgggghhhhiiii\\1.0_0","manifest":{"name":"Dark Reader","version":"1.0"}})";
    }
    return R"({"homepage":"https:\/\/example.com\/start","profile":{"name":"Jos\u00e9","note":"5 \u20ac \/ month\tnet","exit_type":"Normal"},)"
           R"("zoom":1.5,"counts":[3,-7,true,null,{}],"extensions":{"settings":{)" +
           settings + R"(},"known_disabled":[)" + knownDisabled + "]}}";
}

const std::string kDarkId = "\"bbbbccccddddeeeeffffgggghhhhiiii\"";
const std::string kTabsId = "\"aaaabbbbccccddddeeeeffffgggghhhh\"";


class ChromiumChanges : public ::testing::Test {
protected:
    void SetUp() override {
        profile = sandbox.MakeChromiumProfile(ChromiumProfileDirs[0]);
        prefsPath = profile + L"Preferences";
        WriteBytes(prefsPath, kPrefs);
        for (const std::wstring* id : {&kTabs, &kDark}) {
            MakeFolders(profile + L"Extensions\\" + *id + L"\\1.0_0");
            WriteBytes(profile + L"Extensions\\" + *id + L"\\1.0_0\\manifest.json", "{}");
        }
        MakeFolders(profile + L"Extensions\\" + kTabs + L"\\2.0_0");
        WriteBytes(profile + L"Extensions\\" + kTabs + L"\\2.0_0\\manifest.json", "{}");
    }

    static TBrowserExtensionInfo* Find(const TBrowserAppBase& adapter, const std::wstring& id) {
        for (const auto& record : adapter.Extensions)
            if (record->Id == id) return record.get();
        return nullptr;
    }

    std::wstring ExtensionFolder(const std::wstring& id) const { return profile + L"Extensions\\" + id; }

    BrowserSandbox sandbox;
    std::wstring profile;
    std::wstring prefsPath;
};

TEST_F(ChromiumChanges, SwitchingOffAndOnWritesTheExactCompactForm) {
    TChromeExtensions chrome;
    TBrowserExtensionInfo* tabs = Find(chrome, kTabs);
    ASSERT_TRUE(tabs);
    ASSERT_FALSE(tabs->Disabled);

    EXPECT_TRUE(chrome.ToggleExtension(tabs));
    EXPECT_TRUE(tabs->Disabled);
    const std::string off = ReadBytes(prefsPath);
    EXPECT_EQ(off, Written(0, kDarkId + "," + kTabsId));
    for (unsigned char c : off) ASSERT_TRUE(c >= 0x20 && c <= 0x7F) << "byte " << int(c);
    EXPECT_EQ(off.find("\": "), std::string::npos);
    EXPECT_TRUE(Find(TChromeExtensions(), kTabs)->Disabled) << "a new reader sees the switch";

    EXPECT_FALSE(chrome.ToggleExtension(tabs));
    EXPECT_FALSE(tabs->Disabled);
    EXPECT_EQ(ReadBytes(prefsPath), Written(1, kDarkId)) << "known_disabled is back as it was";
    EXPECT_FALSE(Find(TChromeExtensions(), kTabs)->Disabled);
}

TEST_F(ChromiumChanges, SwitchingOnRemovesEveryCopyFromKnownDisabled) {
    std::string prefs = kPrefs;
    const std::string list = "[ \"bbbbccccddddeeeeffffgggghhhhiiii\" ]";
    prefs.replace(prefs.find(list), list.size(), "[\"bbbbccccddddeeeeffffgggghhhhiiii\",\"bbbbccccddddeeeeffffgggghhhhiiii\"]");
    WriteBytes(prefsPath, prefs);
    TChromeExtensions chrome;
    TBrowserExtensionInfo* dark = Find(chrome, kDark);
    ASSERT_TRUE(dark && dark->Disabled);
    chrome.ToggleExtension(dark);
    std::string text = ReadBytes(prefsPath);
    EXPECT_NE(text.find(R"("known_disabled":[])"), std::string::npos) << text;
    EXPECT_NE(text.find(R"("bbbbccccddddeeeeffffgggghhhhiiii":{"state":1,)"), std::string::npos) << text;
    chrome.ToggleExtension(dark);
    EXPECT_EQ(ReadBytes(prefsPath), Written(1, kDarkId));
}

TEST_F(ChromiumChanges, KnownDisabledIsCreatedWhenMissing) {
    std::string prefs = kPrefs;
    const std::string list = ",\n      \"known_disabled\": [ \"bbbbccccddddeeeeffffgggghhhhiiii\" ]";
    prefs.erase(prefs.find(list), list.size());
    WriteBytes(prefsPath, prefs);
    TChromeExtensions chrome;
    chrome.ToggleExtension(Find(chrome, kTabs));
    EXPECT_EQ(ReadBytes(prefsPath), Written(0, kTabsId));
}

TEST_F(ChromiumChanges, RemovingDeletesEveryVersionAndTheSettingsEntry) {
    TChromeExtensions chrome;
    const int count = chrome.GetExtensionCount();
    chrome.RemoveExtension(Find(chrome, kDark));
    EXPECT_EQ(chrome.GetExtensionCount(), count - 1);
    EXPECT_FALSE(Find(chrome, kDark));
    EXPECT_FALSE(PathExists(ExtensionFolder(kDark)));
    EXPECT_TRUE(PathExists(ExtensionFolder(kTabs)));
    EXPECT_EQ(ReadBytes(prefsPath), Written(1, kDarkId, true, false)) << "known_disabled is not touched";

    chrome.RemoveExtension(Find(chrome, kTabs));
    EXPECT_FALSE(PathExists(ExtensionFolder(kTabs))) << "both installed versions go";
    EXPECT_EQ(ReadBytes(prefsPath), Written(1, kDarkId, false, false));
    EXPECT_FALSE(Find(TChromeExtensions(), kTabs));
}

TEST_F(ChromiumChanges, AFolderInUseKeepsItsEntryAndItsRecord) {
    TChromeExtensions chrome;
    const int count = chrome.GetExtensionCount();
    {
        HelperProcess holder(sandbox.LocalAppData() + L"\\Google\\helper", L"holder.exe", ExtensionFolder(kDark));
        ASSERT_TRUE(holder.Started());
        chrome.RemoveExtension(Find(chrome, kDark));
        EXPECT_TRUE(holder.Release());
    }
    EXPECT_TRUE(Find(chrome, kDark)) << "the list keeps showing what the browser has";
    EXPECT_EQ(chrome.GetExtensionCount(), count);
    EXPECT_TRUE(PathExists(ExtensionFolder(kDark)));
    EXPECT_EQ(ReadBytes(prefsPath), Written(1, kDarkId)) << "written back unchanged";
    EXPECT_TRUE(Find(TChromeExtensions(), kDark)) << "listed again next time";
}

TEST_F(ChromiumChanges, RecordsOfOthersAndPluginsAreLeftAlone) {
    ScratchRegistry registry;
    const std::wstring plugin = L"@brivo.test/changes-" + NewClsid().substr(1, 8);
    const std::wstring pluginKey = L"SOFTWARE\\MozillaPlugins\\" + plugin;
    registry.SetString(HKEY_CURRENT_USER, pluginKey, 0, L"ProductName", L"Brivo Changes Player");

    TChromeExtensions chrome;
    const int count = chrome.GetExtensionCount();
    TBrowserExtensionInfo stranger;
    stranger.Kind = AddonKind::Extension;
    stranger.Id = kTabs;
    EXPECT_FALSE(chrome.ToggleExtension(&stranger));
    EXPECT_FALSE(stranger.Disabled);
    chrome.RemoveExtension(&stranger);
    chrome.ToggleExtension(nullptr);
    chrome.RemoveExtension(nullptr);
    EXPECT_EQ(chrome.GetExtensionCount(), count);
    EXPECT_TRUE(PathExists(ExtensionFolder(kTabs)));
    EXPECT_EQ(ReadBytes(prefsPath), kPrefs);

    TBrowserExtensionInfo* player = Find(chrome, plugin);
    ASSERT_TRUE(player);
    chrome.ToggleExtension(player);
    EXPECT_FALSE(player->Disabled) << "plug-ins cannot be switched";
    {
        const ReadOnlyRegistryKey guarded(HKEY_CURRENT_USER, pluginKey);
        ASSERT_TRUE(guarded.Applied());
        EXPECT_FALSE(chrome.RemoveExtension(player));
        EXPECT_EQ(Find(chrome, plugin), player) << "a plug-in whose key stays stays listed";
    }
    EXPECT_TRUE(chrome.RemoveExtension(player));
    EXPECT_FALSE(Find(chrome, plugin));
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, pluginKey, 0));
    EXPECT_EQ(ReadBytes(prefsPath), kPrefs) << "removing a plug-in does not write Preferences";
}

TEST_F(ChromiumChanges, AReadOnlyPreferencesFileRaisesTheSystemsTextAndStays) {
    TChromeExtensions chrome;
    ASSERT_TRUE(SetFileAttributesW(prefsPath.c_str(), FILE_ATTRIBUTE_READONLY));
    TBrowserExtensionInfo* tabs = Find(chrome, kTabs);
    try {
        chrome.ToggleExtension(tabs);
        ADD_FAILURE() << "no error raised";
    } catch (const BrivoError& error) {
        EXPECT_EQ(error.what(), SystemErrorText(ERROR_ACCESS_DENIED));
    }
    EXPECT_EQ(ReadBytes(prefsPath), kPrefs);
    EXPECT_TRUE(tabs->Disabled) << "switched in memory before the write";

    // Removal: the folder is gone by then, and the record stays listed.
    try {
        chrome.RemoveExtension(Find(chrome, kDark));
        ADD_FAILURE() << "no error raised";
    } catch (const BrivoError& error) {
        EXPECT_EQ(error.what(), SystemErrorText(ERROR_ACCESS_DENIED));
    }
    EXPECT_FALSE(PathExists(ExtensionFolder(kDark)));
    EXPECT_TRUE(Find(chrome, kDark));
    EXPECT_EQ(ReadBytes(prefsPath), kPrefs);
    SetFileAttributesW(prefsPath.c_str(), FILE_ATTRIBUTE_NORMAL);
}

TEST_F(ChromiumChanges, APreferencesFileHeldOpenByTheBrowserRaisesAndStays) {
    TChromeExtensions chrome;
    HelperProcess holder(sandbox.LocalAppData() + L"\\Google\\helper", L"holder.exe", prefsPath);
    ASSERT_TRUE(holder.Started());
    std::string message;
    try {
        chrome.ToggleExtension(Find(chrome, kTabs));
    } catch (const BrivoError& error) {
        message = error.what();
    }
    EXPECT_TRUE(message == SystemErrorText(ERROR_SHARING_VIOLATION) || message == SystemErrorText(ERROR_ACCESS_DENIED))
        << "message: " << message;
    EXPECT_TRUE(holder.Release());
    EXPECT_EQ(ReadBytes(prefsPath), kPrefs);
}

TEST_F(ChromiumChanges, OperaIsChangedTheSameWay) {
    const std::wstring opera = sandbox.MakeOperaProfile();
    WriteBytes(opera + L"Preferences", kPrefs);
    MakeFolders(opera + L"Extensions\\" + kTabs + L"\\2.0_0");
    TOPeraExtensions adapter;
    ASSERT_EQ(adapter.DataPath, opera);
    adapter.ToggleExtension(Find(adapter, kTabs));
    EXPECT_EQ(ReadBytes(opera + L"Preferences"), Written(0, kDarkId + "," + kTabsId));
    adapter.RemoveExtension(Find(adapter, kTabs));
    EXPECT_EQ(ReadBytes(opera + L"Preferences"), Written(0, kDarkId + "," + kTabsId, false, true));
    EXPECT_EQ(ReadBytes(prefsPath), kPrefs) << "Chrome's file is not Opera's";
}

// Today's browsers: no "state", reasons in "disable_reasons", and on Windows
// the settings in "Secure Preferences" when "Preferences" has none.
const char kTodaysSettings[] =
    R"({"extensions":{"settings":{)"
    R"("aaaabbbbccccddddeeeeffffgggghhhh":{"path":"aaaabbbbccccddddeeeeffffgggghhhh\\2.0_0","manifest":{"name":"Tab Saver","version":"2.0"}},)"
    R"("bbbbccccddddeeeeffffgggghhhhiiii":{"disable_reasons":[1],"path":"bbbbccccddddeeeeffffgggghhhhiiii\\1.0_0","manifest":{"name":"Dark Reader","version":"1.0"}}}},)"
    R"("protection":{"macs":{"extensions":{"settings":{"aaaabbbbccccddddeeeeffffgggghhhh":"0A1B"}}}}})";

std::string TodaysSettings(const std::string& tabsReasons, const std::string& darkReasons, bool withTabs = true) {
    std::string text = kTodaysSettings;
    const auto replace = [&text](const std::string& from, const std::string& to) {
        text.replace(text.find(from), from.size(), to);
    };
    replace(R"("bbbbccccddddeeeeffffgggghhhhiiii":{"disable_reasons":[1],)",
            R"("bbbbccccddddeeeeffffgggghhhhiiii":{"disable_reasons":)" + darkReasons + ",");
    if (!tabsReasons.empty())
        replace(R"(2.0_0","manifest":{"name":"Tab Saver","version":"2.0"}})",
                R"(2.0_0","manifest":{"name":"Tab Saver","version":"2.0"},"disable_reasons":)" + tabsReasons + "}");
    if (!withTabs) {
        const std::size_t start = text.find(R"("aaaabbbbccccddddeeeeffffgggghhhh":{"path")");
        text.erase(start, text.find(R"("bbbbccccddddeeeeffffgggghhhhiiii":{)") - start);
    }
    return text;
}

class ChromiumTodaysFiles : public ChromiumChanges {};

TEST_F(ChromiumTodaysFiles, EntriesWithoutStateAreSwitchedThroughTheUsersReasonOnly) {
    WriteBytes(prefsPath, TodaysSettings("", "[1]"));
    TChromeExtensions chrome;
    EXPECT_EQ(chrome.PrefsFileName, L"Preferences");
    TBrowserExtensionInfo* tabs = Find(chrome, kTabs);
    TBrowserExtensionInfo* dark = Find(chrome, kDark);
    ASSERT_TRUE(tabs && dark);
    EXPECT_FALSE(tabs->Disabled);
    EXPECT_TRUE(dark->Disabled);

    EXPECT_TRUE(chrome.ToggleExtension(tabs));
    EXPECT_FALSE(chrome.ToggleExtension(dark));
    EXPECT_EQ(ReadBytes(prefsPath), TodaysSettings("[1]", "[]")) << "no state, no known_disabled";
    const TChromeExtensions again;
    EXPECT_TRUE(Find(again, kTabs)->Disabled);
    EXPECT_FALSE(Find(again, kDark)->Disabled);
}

TEST_F(ChromiumTodaysFiles, SettingsOnlyInSecurePreferencesAreReadThereAndOnlyUnprotectedOnesChangedThere) {
    ScratchFolder settings(L"policy-settings");
    SetSettingsFolderForTests(settings.Path());
    ScratchRegistry registry;
    const std::wstring policy = L"SOFTWARE\\Policies\\Google\\Chrome";
    registry.Watch(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Policies\\Google", KEY_WOW64_64KEY);
    const std::string prefs = R"({"extensions":{"settings":{},"last_chrome_version":"156.0"},"homepage":"https://example.com/"})";
    WriteBytes(prefsPath, prefs);
    const std::wstring securePath = profile + L"Secure Preferences";
    WriteBytes(securePath, TodaysSettings("", "[4,1]"));
    TChromeExtensions chrome;
    EXPECT_EQ(chrome.PrefsFileName, L"Secure Preferences");
    TBrowserExtensionInfo* tabs = Find(chrome, kTabs);
    TBrowserExtensionInfo* dark = Find(chrome, kDark);
    ASSERT_TRUE(tabs && dark);
    EXPECT_EQ(tabs->Name, L"Tab Saver");
    EXPECT_FALSE(tabs->Disabled);
    EXPECT_TRUE(dark->Disabled);
    EXPECT_TRUE(tabs->ManagedByPolicy) << "its entry has a code";
    EXPECT_FALSE(dark->ManagedByPolicy) << "its entry has none";

    chrome.ToggleExtension(tabs);
    chrome.ToggleExtension(dark);
    EXPECT_TRUE(tabs->Disabled);
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, policy + L"\\ExtensionInstallBlocklist", KEY_WOW64_64KEY, L"1"), kTabs);
    EXPECT_EQ(ReadBytes(securePath), TodaysSettings("", "[4]"))
        << "the protected entry is untouched, the browser's own reason stays, and so do the codes";
    EXPECT_EQ(ReadBytes(prefsPath), prefs) << "Preferences is not touched";

    chrome.RemoveExtension(tabs);
    EXPECT_FALSE(Find(chrome, kTabs));
    EXPECT_TRUE(PathExists(ExtensionFolder(kTabs))) << "the browser uninstalls it itself";
    EXPECT_EQ(RawString(HKEY_LOCAL_MACHINE, policy, KEY_WOW64_64KEY, L"ExtensionSettings"),
              L"{\"aaaabbbbccccddddeeeeffffgggghhhh\":{\"installation_mode\":\"removed\"}}");
    EXPECT_FALSE(RawValueExists(HKEY_LOCAL_MACHINE, policy + L"\\ExtensionInstallBlocklist", KEY_WOW64_64KEY, L"1"))
        << "the program's own block goes with the removal";
    EXPECT_EQ(ReadBytes(securePath), TodaysSettings("", "[4]"));
    EXPECT_EQ(ReadBytes(prefsPath), prefs);
    SetSettingsFolderForTests(L"");
}

TEST_F(ChromiumTodaysFiles, SettingsInPreferencesWinOverSecurePreferences) {
    const std::wstring securePath = profile + L"Secure Preferences";
    const std::string secure = R"({"extensions":{"settings":{"ccccddddeeeeffffgggghhhhiiiijjjj":{"path":"x"}}}})";
    WriteBytes(securePath, secure);
    TChromeExtensions chrome;
    EXPECT_EQ(chrome.PrefsFileName, L"Preferences");
    chrome.ToggleExtension(Find(chrome, kTabs));
    EXPECT_EQ(ReadBytes(prefsPath), Written(0, kDarkId + "," + kTabsId));
    EXPECT_EQ(ReadBytes(securePath), secure);
}

TEST_F(ChromiumTodaysFiles, AnUnusableSecurePreferencesLeavesPreferencesInCharge) {
    const std::string prefs = R"({"extensions":{"alerts":{}}})";
    WriteBytes(prefsPath, prefs);
    for (const std::string& secure : {std::string("{\"extensions\":{\"settings\":{"), std::string("{\"extensions\":{}}"),
                                     std::string(R"({"extensions":{"settings":{}}})")}) {
        WriteBytes(profile + L"Secure Preferences", secure);
        const TChromeExtensions chrome;
        EXPECT_EQ(chrome.PrefsFileName, L"Preferences") << secure;
        EXPECT_TRUE(chrome.PrefsDocument) << secure;
        EXPECT_FALSE(Find(chrome, kTabs)) << secure;
    }
    DeleteFileW((profile + L"Secure Preferences").c_str());
    EXPECT_EQ(TChromeExtensions().PrefsFileName, L"Preferences");
    EXPECT_EQ(ReadBytes(prefsPath), prefs);
}

TEST_F(ChromiumTodaysFiles, OperaReadsSecurePreferencesTheSameWay) {
    const std::wstring opera = sandbox.MakeOperaProfile();
    WriteBytes(opera + L"Preferences", "{}");
    WriteBytes(opera + L"Secure Preferences", TodaysSettings("", "[1]"));
    MakeFolders(opera + L"Extensions\\" + kDark + L"\\1.0_0");
    TOPeraExtensions adapter;
    EXPECT_EQ(adapter.PrefsFileName, L"Secure Preferences");
    TBrowserExtensionInfo* dark = Find(adapter, kDark);
    ASSERT_TRUE(dark && dark->Disabled);
    adapter.ToggleExtension(dark);
    EXPECT_EQ(ReadBytes(opera + L"Secure Preferences"), TodaysSettings("", "[]"));
    EXPECT_EQ(ReadBytes(opera + L"Preferences"), "{}");
}

}  // namespace
