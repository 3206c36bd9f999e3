#include "browsers/chromium/ChromeExtensions.h"

#include <objidl.h>

#include <algorithm>
#include <optional>
#include "platform/GdiplusInclude.h"
#include <gtest/gtest.h>

#include "ChromiumTestFiles.h"
#include "browsers/CompareExtensions.h"
#include "support/AllocationFaults.h"
#include "support/ScratchRegistry.h"

namespace {

const std::wstring kTabs = L"aaaabbbbccccddddeeeeffffgggghhhh";
const std::wstring kDark = L"bbbbccccddddeeeeffffgggghhhhiiii";
const std::wstring kNoState = L"ccccddddeeeeffffgggghhhhiiiijjjj";
const std::wstring kBare = L"ddddeeeeffffgggghhhhiiiijjjjkkkk";
const std::wstring kEscaped = L"eeeeffffgggghhhhiiiijjjjkkkkllll";
const std::wstring kSmallIcon = L"ffffgggghhhhiiiijjjjkkkkllllmmmm";
const std::wstring kBrokenIcon = L"gggghhhhiiiijjjjkkkkllllmmmmnnnn";
const std::wstring kNoFolder = L"hhhhiiiijjjjkkkkllllmmmmnnnnoooo";
const std::wstring kNoEntry = L"iiiijjjjkkkkllllmmmmnnnnoooopppp";
const std::wstring kPlainFile = L"jjjjkkkkllllmmmmnnnnooooppppaaaa";

// The profile's settings for the reading tests. Member order differs from
// folder order on purpose.
const char kPreferences[] = R"({
  "browser": {"window_placement": {"left": 10, "top": 20}},
  "extensions": {
    "known_disabled": ["bbbbccccddddeeeeffffgggghhhhiiii"],
    "settings": {
      "aaaabbbbccccddddeeeeffffgggghhhh": {"state": 1, "path": "aaaabbbbccccddddeeeeffffgggghhhh\\2.4.1_0",
        "manifest": {"name": "Tab Saver", "description": "Keeps your tabs", "version": "2.4.1",
                     "icons": {"16": "img/16.png", "48": "img/48.png", "128": "img/128.png"}}},
      "bbbbccccddddeeeeffffgggghhhhiiii": {"state": 0, "path": "bbbbccccddddeeeeffffgggghhhhiiii\\1.0_0",
        "manifest": {"name": "Dark Reader", "description": "Night mode", "version": "1.0",
                     "icons": {"32": "icon32.png"}}},
      "ccccddddeeeeffffgggghhhhiiiijjjj": {"path": "ccccddddeeeeffffgggghhhhiiiijjjj\\3_0",
        "manifest": {"name": "Zoom Helper", "version": "3"}},
      "ddddeeeeffffgggghhhhiiiijjjjkkkk": {"state": 1, "path": "ddddeeeeffffgggghhhhiiiijjjjkkkk\\1_0"},
      "eeeeffffgggghhhhiiiijjjjkkkkllll": {"state": 1, "path": "eeeeffffgggghhhhiiiijjjjkkkkllll\\0.9_0",
        "manifest": {"name": "Caf\\u00e9 Finder", "description": "\\u00dcbersetzer", "version": "0.9\\u0031"}},
      "ffffgggghhhhiiiijjjjkkkkllllmmmm": {"state": 1, "path": "ffffgggghhhhiiiijjjjkkkkllllmmmm\\5_0",
        "manifest": {"name": "Mail Notifier", "version": "5", "icons": {"128": "big.png", "16": "small.png"}}},
      "gggghhhhiiiijjjjkkkkllllmmmmnnnn": {"state": 1, "path": "gggghhhhiiiijjjjkkkkllllmmmmnnnn\\1_0",
        "manifest": {"name": "Broken Icon", "version": "1", "icons": {"48": "broken.png"}}},
      "hhhhiiiijjjjkkkkllllmmmmnnnnoooo": {"state": 1, "path": "hhhhiiiijjjjkkkkllllmmmmnnnnoooo\\1_0",
        "manifest": {"name": "Not Installed", "version": "1"}},
      "jjjjkkkkllllmmmmnnnnooooppppaaaa": {"state": 1, "path": "",
        "manifest": {"name": "Plain File", "version": "7"}}
    }
  }
}
)";

class ChromeProfile : public ::testing::Test {
protected:
    // A profile in `row` with the reading tests' extensions and a plug-in.
    std::wstring MakeReadingProfile(const wchar_t* row, const std::string& prefs = kPreferences) {
        const std::wstring profile = sandbox.MakeChromiumProfile(row);
        WriteBytes(profile + L"Preferences", prefs);
        const std::wstring ext = profile + L"Extensions\\";
        MakeFolders(ext + kTabs + L"\\2.4.1_0\\img");
        WritePng(ext + kTabs + L"\\2.4.1_0\\img\\48.png", 48);
        WritePng(ext + kTabs + L"\\2.4.1_0\\img\\16.png", 16);
        MakeFolders(ext + kDark + L"\\1.0_0");
        WritePng(ext + kDark + L"\\1.0_0\\icon32.png", 32);
        MakeFolders(ext + kNoState + L"\\3_0");
        MakeFolders(ext + kBare + L"\\1_0");
        MakeFolders(ext + kEscaped + L"\\0.9_0");
        MakeFolders(ext + kSmallIcon + L"\\5_0");
        WritePng(ext + kSmallIcon + L"\\5_0\\big.png", 128);
        WritePng(ext + kSmallIcon + L"\\5_0\\small.png", 16);
        MakeFolders(ext + kBrokenIcon + L"\\1_0");
        WriteBytes(ext + kBrokenIcon + L"\\1_0\\broken.png", "\x89PNG\r\n\x1a\n but then nothing useful");
        MakeFolders(ext + kNoEntry + L"\\1_0");
        WriteBytes(ext + kPlainFile, "not a folder");
        return profile;
    }

    void AddPlugin() {
        registry.CreateKey(HKEY_CURRENT_USER, L"SOFTWARE\\MozillaPlugins\\" + plugin, 0);
        registry.SetString(HKEY_CURRENT_USER, L"SOFTWARE\\MozillaPlugins\\" + plugin, 0, L"ProductName",
                           L"Brivo Test Player");
    }

    static const TBrowserExtensionInfo* Find(const TBrowserAppBase& adapter, const std::wstring& id) {
        for (const auto& record : adapter.Extensions)
            if (record->Id == id) return record.get();
        return nullptr;
    }

    static std::vector<std::wstring> Names(const TBrowserAppBase& adapter) {
        std::vector<std::wstring> names;
        for (const auto& record : adapter.Extensions) names.push_back(record->Name);
        return names;
    }

    static int CountOfKind(const TBrowserAppBase& adapter, AddonKind kind) {
        return static_cast<int>(std::count_if(adapter.Extensions.begin(), adapter.Extensions.end(),
                                              [kind](const auto& r) { return r->Kind == kind; }));
    }

    BrowserSandbox sandbox;
    ScratchRegistry registry;
    const std::wstring plugin = L"@brivo.test/chromium-" + NewClsid().substr(1, 8);
};

TEST_F(ChromeProfile, TheFirstCandidateRowWithAPreferencesFileWins) {
    const std::wstring google = sandbox.MakeChromiumProfile(ChromiumProfileDirs[0]);
    const std::wstring chromium = sandbox.MakeChromiumProfile(ChromiumProfileDirs[3]);
    WriteBytes(google + L"Preferences", "{}");
    WriteBytes(chromium + L"Preferences", "{}");
    const TChromeExtensions chrome;
    EXPECT_EQ(chrome.DataPath, sandbox.LocalAppData() + L"\\Google\\Chrome\\User Data\\Default\\");
    EXPECT_EQ(chrome.Kind, BrowserKind::ChromeFamily);
    EXPECT_EQ(chrome.DisplayName, L"Google Chrome");
    EXPECT_EQ(chrome.PrefsFileName, L"Preferences");
    EXPECT_EQ(chrome.ExecutableName(), L"chrome.exe");
    EXPECT_TRUE(chrome.PrefsDocument);
}

TEST_F(ChromeProfile, EachRowIsFoundOnItsOwn) {
    const wchar_t* expected[] = {L"\\Google\\Chrome\\User Data\\Default\\", L"\\Comodo\\Dragon\\User Data\\Default\\",
                                 L"\\RockMelt\\User Data\\Default\\", L"\\Chromium\\User Data\\Default\\"};
    for (size_t row = 0; row < ChromiumProfileDirs.size(); ++row) {
        SCOPED_TRACE(row);
        EXPECT_STREQ(ChromiumProfileDirs[row], expected[row]);
        const std::wstring profile = sandbox.MakeChromiumProfile(ChromiumProfileDirs[row]);
        WriteBytes(profile + L"Preferences", "{}");
        EXPECT_EQ(TChromeExtensions().DataPath, sandbox.LocalAppData() + expected[row]);
        RemoveTree(profile + L"Preferences");
    }
}

TEST_F(ChromeProfile, APreferencesFolderIsNoMatch) {
    const std::wstring google = sandbox.MakeChromiumProfile(ChromiumProfileDirs[0]);
    MakeFolders(google + L"Preferences");
    EXPECT_TRUE(TChromeExtensions().DataPath.empty());
    const std::wstring rockmelt = sandbox.MakeChromiumProfile(ChromiumProfileDirs[2]);
    WriteBytes(rockmelt + L"Preferences", "{}");
    EXPECT_EQ(TChromeExtensions().DataPath, rockmelt);
    EXPECT_TRUE(FindChromiumProfile(L"").empty());
}

TEST_F(ChromeProfile, WithoutAProfileNothingIsListed) {
    AddPlugin();
    sandbox.MakeChromiumProfile(ChromiumProfileDirs[0]);  // the folder alone is not enough
    const TChromeExtensions chrome;
    EXPECT_TRUE(chrome.DataPath.empty());
    EXPECT_FALSE(chrome.PrefsDocument);
    EXPECT_EQ(chrome.GetExtensionCount(), 0);
}

TEST_F(ChromeProfile, ExtensionsAreReadFromSettingsAndFolderEntries) {
    AddPlugin();
    const std::wstring profile = MakeReadingProfile(ChromiumProfileDirs[0]);
    const std::wstring ext = profile + L"Extensions\\";
    const TChromeExtensions chrome;
    ASSERT_EQ(chrome.DataPath, profile);
    EXPECT_EQ(CountOfKind(chrome, AddonKind::Extension), 8);

    const TBrowserExtensionInfo* tabs = Find(chrome, kTabs);
    ASSERT_TRUE(tabs);
    EXPECT_EQ(tabs->Kind, AddonKind::Extension);
    EXPECT_FALSE(tabs->Disabled);
    EXPECT_EQ(tabs->FilePath, ext + kTabs + L"\\2.4.1_0");
    EXPECT_EQ(tabs->Name, L"Tab Saver");
    EXPECT_EQ(tabs->Description, L"Keeps your tabs");
    EXPECT_EQ(tabs->Version, L"2.4.1");
    EXPECT_EQ(tabs->IconUrl, L"img/48.png");
    ASSERT_TRUE(tabs->Icon);
    EXPECT_EQ(tabs->Icon->GetWidth(), 48u);
    EXPECT_EQ(tabs->NativeView, 0);
    EXPECT_EQ(tabs->Rating, 0.0);

    const TBrowserExtensionInfo* dark = Find(chrome, kDark);
    ASSERT_TRUE(dark);
    EXPECT_TRUE(dark->Disabled);
    EXPECT_EQ(dark->IconUrl, L"icon32.png");
    ASSERT_TRUE(dark->Icon);
    EXPECT_EQ(dark->Icon->GetWidth(), 32u);

    const TBrowserExtensionInfo* noState = Find(chrome, kNoState);
    ASSERT_TRUE(noState);
    EXPECT_FALSE(noState->Disabled) << "neither state nor disable reasons: on, as today's browsers write it";
    EXPECT_TRUE(noState->Description.empty());
    EXPECT_TRUE(noState->IconUrl.empty());
    EXPECT_FALSE(noState->Icon);

    const TBrowserExtensionInfo* bare = Find(chrome, kBare);
    ASSERT_TRUE(bare);
    EXPECT_FALSE(bare->Disabled);
    EXPECT_EQ(bare->FilePath, ext + kBare + L"\\1_0");
    EXPECT_TRUE(bare->Name.empty());
    EXPECT_TRUE(bare->Description.empty());
    EXPECT_TRUE(bare->Version.empty());
    EXPECT_FALSE(bare->Icon);

    const TBrowserExtensionInfo* escaped = Find(chrome, kEscaped);
    ASSERT_TRUE(escaped);
    EXPECT_EQ(escaped->Name, L"Caf\u00e9 Finder");
    EXPECT_EQ(escaped->Description, L"\u00dcbersetzer");
    EXPECT_EQ(escaped->Version, L"0.9\\u0031") << "the version is never decoded";

    const TBrowserExtensionInfo* small = Find(chrome, kSmallIcon);
    ASSERT_TRUE(small);
    EXPECT_EQ(small->IconUrl, L"small.png") << "only 48, 32 and 16 are looked at";
    ASSERT_TRUE(small->Icon);
    EXPECT_EQ(small->Icon->GetWidth(), 16u);

    const TBrowserExtensionInfo* broken = Find(chrome, kBrokenIcon);
    ASSERT_TRUE(broken);
    EXPECT_EQ(broken->IconUrl, L"broken.png");
    EXPECT_FALSE(broken->Icon);

    const TBrowserExtensionInfo* plainFile = Find(chrome, kPlainFile);
    ASSERT_TRUE(plainFile) << "a file under Extensions\\ counts like a folder";
    EXPECT_EQ(plainFile->FilePath, ext) << "an empty path names the Extensions folder";
    EXPECT_EQ(plainFile->Name, L"Plain File");

    EXPECT_FALSE(Find(chrome, kNoFolder)) << "a settings entry without a folder is not listed";
    EXPECT_FALSE(Find(chrome, kNoEntry)) << "a folder without a settings entry is not listed";

    // Extensions by name (the nameless one first), then the plug-ins.
    std::vector<std::wstring> names = Names(chrome);
    ASSERT_GE(names.size(), 9u);
    const std::vector<std::wstring> extensionNames(names.begin(), names.begin() + 8);
    EXPECT_EQ(extensionNames,
              (std::vector<std::wstring>{L"", L"Broken Icon", L"Caf\u00e9 Finder", L"Dark Reader", L"Mail Notifier",
                                         L"Plain File", L"Tab Saver", L"Zoom Helper"}));
    const TBrowserExtensionInfo* player = Find(chrome, plugin);
    ASSERT_TRUE(player) << "plug-ins are listed beside the extensions";
    EXPECT_EQ(player->Kind, AddonKind::Plugin);
    for (int i = 8; i < chrome.GetExtensionCount(); ++i) EXPECT_EQ(chrome.GetExtension(i)->Kind, AddonKind::Plugin);
}

TEST_F(ChromeProfile, TextAfterThePreferencesObjectIsIgnored) {
    const std::wstring profile = MakeReadingProfile(ChromiumProfileDirs[1], std::string(kPreferences) + "\n]] garbage {");
    const TChromeExtensions chrome;
    EXPECT_EQ(chrome.DataPath, profile);
    EXPECT_EQ(CountOfKind(chrome, AddonKind::Extension), 8);
}

TEST_F(ChromeProfile, AnEmptyOrInvalidPreferencesFileListsNothingNotEvenPlugins) {
    AddPlugin();
    for (const std::string& prefs : {std::string(), std::string("{\"extensions\": {\"settings\": "),
                                     std::string("not json"), std::string("{\"a\":\"\xff\xfe\"}")}) {
        SCOPED_TRACE(prefs);
        const std::wstring profile = MakeReadingProfile(ChromiumProfileDirs[0], prefs);
        const TChromeExtensions chrome;
        EXPECT_EQ(chrome.DataPath, profile);
        EXPECT_FALSE(chrome.PrefsDocument);
        EXPECT_EQ(chrome.GetExtensionCount(), 0);
    }
}

TEST_F(ChromeProfile, APreferencesFileHeldOpenWithoutSharingListsNothing) {
    const std::wstring profile = MakeReadingProfile(ChromiumProfileDirs[0]);
    HelperProcess holder(sandbox.LocalAppData() + L"\\Google\\helper", L"holder.exe", profile + L"Preferences");
    ASSERT_TRUE(holder.Started());
    const TChromeExtensions chrome;
    EXPECT_EQ(chrome.DataPath, profile);
    EXPECT_FALSE(chrome.PrefsDocument);
    EXPECT_EQ(chrome.GetExtensionCount(), 0);
    EXPECT_TRUE(holder.Release());
    EXPECT_EQ(CountOfKind(TChromeExtensions(), AddonKind::Extension), 8) << "read again once the file is free";
}

TEST_F(ChromeProfile, WithoutExtensionSettingsOnlyPluginsAreListed) {
    AddPlugin();
    for (const std::string& prefs : {std::string(R"({"browser":{}})"), std::string(R"({"extensions":{"alerts":1}})"),
                                     std::string(R"({"extensions":{"settings":[]}})")}) {
        SCOPED_TRACE(prefs);
        MakeReadingProfile(ChromiumProfileDirs[0], prefs);
        const TChromeExtensions chrome;
        EXPECT_TRUE(chrome.PrefsDocument);
        EXPECT_EQ(CountOfKind(chrome, AddonKind::Extension), 0);
        EXPECT_TRUE(Find(chrome, plugin));
    }
}

TEST_F(ChromeProfile, WithoutAnExtensionsFolderOnlyPluginsAreListed) {
    AddPlugin();
    const std::wstring profile = sandbox.MakeChromiumProfile(ChromiumProfileDirs[3]);
    WriteBytes(profile + L"Preferences", kPreferences);
    const TChromeExtensions chrome;
    EXPECT_EQ(chrome.DataPath, profile);
    EXPECT_EQ(CountOfKind(chrome, AddonKind::Extension), 0);
    EXPECT_TRUE(Find(chrome, plugin));
}

}  // namespace

namespace {

TEST_F(ChromeProfile, MessageNamesComeFromTheUsersLocaleFolderElseTheDefaultOne) {
    const std::wstring translated = L"kkkkllllmmmmnnnnooooppppaaaabbbb";
    const std::wstring fallback = L"llllmmmmnnnnooooppppaaaabbbbcccc";
    const std::wstring profile = sandbox.MakeChromiumProfile(ChromiumProfileDirs[0]);
    WriteBytes(profile + L"Preferences", R"({"extensions":{"settings":{
      "kkkkllllmmmmnnnnooooppppaaaabbbb": {"state": 1, "path": "kkkkllllmmmmnnnnooooppppaaaabbbb\\1_0",
        "manifest": {"name": "__MSG_appName__", "description": "__MSG_appDesc__", "version": "1",
                     "default_locale": "fr"}},
      "llllmmmmnnnnooooppppaaaabbbbcccc": {"state": 1, "path": "llllmmmmnnnnooooppppaaaabbbbcccc\\1_0",
        "manifest": {"name": "__MSG_missing__", "version": "1", "default_locale": "fr"}}}}})");
    // The tests run in English: "en" is the user's folder here.
    const std::wstring locales = profile + L"Extensions\\" + translated + L"\\1_0\\_locales\\";
    MakeFolders(locales + L"en");
    MakeFolders(locales + L"fr");
    WriteBytes(locales + L"en\\messages.json", R"({"APPNAME": {"message": "Quick Notes"}})");
    WriteBytes(locales + L"fr\\messages.json",
               R"({"appName": {"message": "Notes rapides"}, "appDesc": {"message": "Des notes, vite \u00e9crites"}})");
    MakeFolders(profile + L"Extensions\\" + fallback + L"\\1_0\\_locales\\fr");
    WriteBytes(profile + L"Extensions\\" + fallback + L"\\1_0\\_locales\\fr\\messages.json", "{\"other\":{}}");

    const TChromeExtensions chrome;
    const TBrowserExtensionInfo* notes = Find(chrome, translated);
    ASSERT_TRUE(notes);
    EXPECT_EQ(notes->Name, L"Quick Notes") << "keys match in any letter case";
    EXPECT_EQ(notes->Description, L"Des notes, vite \u00e9crites") << "the default locale fills what the user's lacks";
    const TBrowserExtensionInfo* unresolved = Find(chrome, fallback);
    ASSERT_TRUE(unresolved);
    EXPECT_EQ(unresolved->Name, L"__MSG_missing__");
}

TEST_F(ChromeProfile, ADefaultLocaleOutsideTheExtensionsLocalesIsNeverRead) {
    const std::wstring id = L"mmmmnnnnooooppppaaaabbbbccccdddd";
    const std::wstring profile = sandbox.MakeChromiumProfile(ChromiumProfileDirs[0]);
    WriteBytes(profile + L"Preferences", R"({"extensions":{"settings":{
      "mmmmnnnnooooppppaaaabbbbccccdddd": {"state": 1, "path": "mmmmnnnnooooppppaaaabbbbccccdddd\\1_0",
        "manifest": {"name": "__MSG_appName__", "version": "1", "default_locale": "..\\..\\..\\outside"}}}}})");
    MakeFolders(profile + L"Extensions\\" + id + L"\\1_0\\_locales");
    // Where "_locales\..\..\..\outside" would lead.
    MakeFolders(profile + L"Extensions\\outside");
    WriteBytes(profile + L"Extensions\\outside\\messages.json", R"({"appName": {"message": "Read from outside"}})");
    const TChromeExtensions chrome;
    const TBrowserExtensionInfo* record = Find(chrome, id);
    ASSERT_TRUE(record);
    EXPECT_EQ(record->Name, L"__MSG_appName__");
}

TEST_F(ChromeProfile, RunningOutOfMemoryAnywhereWhileReadingRaisesNothingAndKeepsTheListSorted) {
    MakeReadingProfile(ChromiumProfileDirs[0]);
    AddPlugin();
    const int whole = TChromeExtensions().GetExtensionCount();
    for (long first = 1;; ++first) {
        std::optional<TChromeExtensions> chrome;
        bool escaped = false, refused = false;
        {
            const FailAllocationsFrom faults(first);
            try {
                chrome.emplace();
            } catch (...) {
                escaped = true;
            }
            refused = faults.Refused();
        }
        ASSERT_FALSE(escaped) << "allocation " << first;
        ASSERT_TRUE(chrome);
        EXPECT_LE(chrome->GetExtensionCount(), whole);
        for (int i = 1; i < chrome->GetExtensionCount(); ++i)
            ASSERT_LE(CompareExtensions(*chrome->GetExtension(i - 1), *chrome->GetExtension(i)), 0)
                << "allocation " << first << ", position " << i;
        if (!refused) {
            EXPECT_EQ(chrome->GetExtensionCount(), whole) << "with memory enough, everything is listed";
            EXPECT_GT(first, 50) << "reading takes many allocations";
            break;
        }
    }
}

}  // namespace
