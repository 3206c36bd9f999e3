#include <gtest/gtest.h>

#include "CliProcess.h"
#include "support/BrowserSandbox.h"
#include "browsers/BrowserId.h"
#include "json/JsonDocument.h"
#include "platform/Utf.h"
#include "support/ReadOnlyRegistryKey.h"
#include "support/IERegistry.h"
#include "support/ScratchRegistry.h"

namespace {

const std::string kRunning = "The browser is running. Please close it to continue.";

const std::string kTabs = "aaaabbbbccccddddeeeeffffgggghhhh";
const std::string kCafe = "bbbbccccddddeeeeffffgggghhhhiiii";
// "Café 😀" in the manifest, once as UTF-8 and once escaped as browsers write it.
const std::string kChromePrefs =
    "{\"extensions\":{\"settings\":{"
    "\"aaaabbbbccccddddeeeeffffgggghhhh\":{\"state\":1,\"path\":\"aaaabbbbccccddddeeeeffffgggghhhh\\\\2.4_0\","
    "\"manifest\":{\"name\":\"Tab Saver\",\"description\":\"Keeps tabs, \\\"all\\\" of them\",\"version\":\"2.4\"}},"
    "\"bbbbccccddddeeeeffffgggghhhhiiii\":{\"state\":0,\"path\":\"bbbbccccddddeeeeffffgggghhhhiiii\\\\1_0\","
    "\"manifest\":{\"name\":\"Caf\xc3\xa9 \\ud83d\\ude00\",\"version\":\"1\"}}}},"
    "\"browser\":{\"keep\":\"this\"}}";
const char kFirefoxJson[] =
    R"({"schemaVersion":1,"addons":[{"id":"one@fox.test","name":"Fox One","version":"3","userDisabled":false,"descriptor":"C:\\one.xpi"}]})";

std::wstring Wide(const std::string& text) { return ToWide(text); }

// How the program's JSON form writes a path: backslashes doubled.
std::string JsonEscaped(const std::string& text) {
    std::string out;
    for (char c : text) {
        if (c == '\\') out += '\\';
        out += c;
    }
    return out;
}

// The extension's "state" in the Preferences file on disk; -1 when missing.
long long StoredState(const std::wstring& prefsPath, const std::string& id) {
    const auto prefs = JsonDocument::Parse(ReadBytes(prefsPath));
    if (!prefs) return -2;
    const JsonValue* entry = Member(Member(Member(&prefs->Root(), "extensions"), "settings"), id);
    return entry ? GetInteger(entry, "state", -1) : -1;
}

class BpmCli : public ::testing::Test {
protected:
    void SetUp() override {
        chrome = sandbox.MakeChrome(kChromePrefs);
        MakeFolders(chrome + L"Extensions\\" + Wide(kTabs) + L"\\2.4_0");
        MakeFolders(chrome + L"Extensions\\" + Wide(kCafe) + L"\\1_0");
        firefox = sandbox.MakeFirefox(kFirefoxJson);
    }
    void TearDown() override { EXPECT_TRUE(registry.Restore()) << "a test key was left behind"; }

    std::wstring Prefs() const { return chrome + L"Preferences"; }

    // A helper object registered in both registry views under one class id.
    std::wstring RegisterTwoViewHelper() {
        const std::wstring clsid = NewClsid();
        RegisterIEClass(registry, clsid, true, L"Twin Helper", L"C:\\windows\\system32\\shell32.dll");
        RegisterIEClass(registry, clsid, false, L"Twin Helper", L"C:\\windows\\syswow64\\shell32.dll");
        RegisterIEHelper(registry, clsid, k64);
        RegisterIEHelper(registry, clsid, k32);
        WatchIESettings(registry, clsid);
        return clsid;
    }

    BrowserSandbox sandbox;
    ScratchRegistry registry;
    std::wstring chrome;
    std::wstring firefox;
};

TEST_F(BpmCli, ListsAsJsonInTheDocumentedShapeAndOrder) {
    const CliResult result = RunCli(L"list --format json");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    EXPECT_EQ(result.err, "");
    const auto parsed = JsonDocument::Parse(result.out);
    ASSERT_TRUE(parsed) << result.out;
    const JsonValue* browsers = GetArray(&parsed->Root(), "browsers");
    ASSERT_EQ(ArraySize(browsers), 4u);
    const char* order[] = {"chrome", "ie", "firefox", "opera"};
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(GetText(ArrayElement(browsers, i), "browser"), order[i]);
    EXPECT_FALSE(GetBoolean(ArrayElement(browsers, 3), "found", true)) << "no Opera profile";
    EXPECT_EQ(GetText(ArrayElement(browsers, 3), "dataPath", "x"), "");

    const JsonValue* chromeEntry = ArrayElement(browsers, 0);
    EXPECT_EQ(GetInteger(chromeEntry, "kind"), 1);
    EXPECT_EQ(GetText(chromeEntry, "displayName"), "Google Chrome");
    EXPECT_TRUE(GetBoolean(chromeEntry, "found"));
    EXPECT_EQ(GetText(chromeEntry, "dataPath"), ToUtf8(chrome));
    EXPECT_FALSE(GetBoolean(chromeEntry, "running", true));
    const JsonValue* addons = GetArray(chromeEntry, "addons");
    ASSERT_GE(ArraySize(addons), 2u);
    // List order: by name, so "Café" before "Tab Saver".
    const JsonValue* cafe = ArrayElement(addons, 0);
    EXPECT_EQ(GetText(cafe, "id"), kCafe);
    EXPECT_EQ(GetText(cafe, "name"), "Caf\xc3\xa9 \xf0\x9f\x98\x80");
    EXPECT_TRUE(GetBoolean(cafe, "disabled"));
    const JsonValue* tabs = ArrayElement(addons, 1);
    EXPECT_EQ(GetText(tabs, "description"), "Keeps tabs, \"all\" of them");
    EXPECT_EQ(GetText(tabs, "version"), "2.4");
    EXPECT_EQ(GetText(tabs, "filePath"), ToUtf8(chrome) + "Extensions\\" + kTabs + "\\2.4_0");
    EXPECT_FALSE(GetBoolean(tabs, "disabled", true));
    EXPECT_FALSE(GetBoolean(tabs, "hasIcon", true));
    EXPECT_EQ(GetInteger(tabs, "rating", -1), 0);
    EXPECT_EQ(GetInteger(tabs, "nativeView", -1), 0);

    // The members in their documented order, written in the program's form.
    EXPECT_EQ(result.out.rfind("{\"browsers\":[{\"browser\":\"chrome\",\"profile\":\"Default\",\"profileName\":\"\","
                               "\"kind\":1,\"displayName\":\"Google Chrome\",\"found\":true,\"dataPath\":\"",
                               0),
              0u);
    EXPECT_NE(result.out.find("{\"id\":\"" + kCafe + "\",\"name\":\"Caf\\u00e9 \\ud83d\\ude00\",\"description\":\"\","
                              "\"version\":\"1\",\"kind\":1,\"disabled\":true,\"nativeView\":0,\"filePath\":\""),
              std::string::npos)
        << result.out;
    EXPECT_EQ(result.out.substr(result.out.size() - 2), "\r\n");

    const CliResult only = RunCli(L"list --browser firefox --format json");
    ASSERT_EQ(only.exitCode, 0u);
    const auto fox = JsonDocument::Parse(only.out);
    ASSERT_TRUE(fox);
    ASSERT_EQ(ArraySize(GetArray(&fox->Root(), "browsers")), 1u);
    const JsonValue* foxEntry = ArrayElement(GetArray(&fox->Root(), "browsers"), 0);
    EXPECT_EQ(GetText(foxEntry, "dataPath"), ToUtf8(firefox));
    EXPECT_EQ(GetText(ArrayElement(GetArray(foxEntry, "addons"), 0), "id"), "one@fox.test");
}

TEST_F(BpmCli, ListsAsCsvAndAsATableInUtf8) {
    const CliResult csv = RunCli(L"list --format csv --browser chrome");
    ASSERT_EQ(csv.exitCode, 0u) << csv.err;
    EXPECT_EQ(csv.out.rfind("browser,kind,id,name,description,version,disabled,nativeView,filePath,iconUrl,hasIcon,"
                            "rating,managedBy\r\nchrome,1," + kCafe + ",Caf\xc3\xa9 \xf0\x9f\x98\x80,,1,true,0,",
                            0),
              0u)
        << csv.out;
    EXPECT_NE(csv.out.find("\r\nchrome,1," + kTabs + ",Tab Saver,\"Keeps tabs, \"\"all\"\" of them\",2.4,false,0,"),
              std::string::npos)
        << csv.out;
    EXPECT_EQ(csv.out.find("firefox,"), std::string::npos);

    const CliResult table = RunCli(L"list");
    ASSERT_EQ(table.exitCode, 0u) << table.err;
    EXPECT_EQ(table.out.rfind("Google Chrome (chrome)", 0), 0u) << table.out;
    EXPECT_NE(table.out.find("  extension  off    Caf\xc3\xa9 \xf0\x9f\x98\x80     1        " + kCafe + "\r\n"),
              std::string::npos)
        << table.out;
    EXPECT_NE(table.out.find("\r\nOpera (opera): not found\r\n"), std::string::npos) << table.out;
}

TEST_F(BpmCli, SwitchesAnExtensionOffAndOnAgain) {
    const CliResult off = RunCli(Wide("disable chrome " + kTabs));
    ASSERT_EQ(off.exitCode, 0u) << off.err;
    EXPECT_EQ(off.out, "Switched off: Tab Saver (" + kTabs + ")\r\n");
    EXPECT_EQ(StoredState(Prefs(), kTabs), 0);

    const CliResult again = RunCli(Wide("disable chrome " + kTabs));
    EXPECT_EQ(again.exitCode, 0u);
    EXPECT_NE(again.out.find("already off"), std::string::npos) << again.out;
    EXPECT_EQ(StoredState(Prefs(), kTabs), 0) << "not switched back on";

    const CliResult on = RunCli(Wide("enable chrome " + kTabs));
    ASSERT_EQ(on.exitCode, 0u) << on.err;
    EXPECT_EQ(StoredState(Prefs(), kTabs), 1);
    EXPECT_NE(ReadBytes(Prefs()).find("\"browser\":{\"keep\":\"this\"}"), std::string::npos)
        << "the rest of the file is kept";
}

TEST_F(BpmCli, AnErrorOfTheAdapterIsPrintedWithItsText) {
    const std::string before = ReadBytes(Prefs());
    ASSERT_TRUE(SetFileAttributesW(Prefs().c_str(), FILE_ATTRIBUTE_READONLY));
    const CliResult off = RunCli(Wide("disable chrome " + kTabs));
    SetFileAttributesW(Prefs().c_str(), FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(off.exitCode, 1u);
    EXPECT_EQ(off.out, "");
    EXPECT_GT(off.err.size(), std::string("bpmcli: \r\n").size()) << "the system's text: " << off.err;
    EXPECT_EQ(ReadBytes(Prefs()), before) << "a read-only file is left as it was";
}

TEST_F(BpmCli, RemovesOnlyWhenConfirmed) {
    const std::wstring folder = chrome + L"Extensions\\" + Wide(kTabs);
    const CliResult unconfirmed = RunCli(Wide("remove chrome " + kTabs));
    EXPECT_EQ(unconfirmed.exitCode, 2u);
    EXPECT_NE(unconfirmed.err.find("--yes"), std::string::npos) << unconfirmed.err;
    EXPECT_TRUE(PathExists(folder));
    EXPECT_EQ(StoredState(Prefs(), kTabs), 1);

    const CliResult removed = RunCli(Wide("remove chrome " + kTabs + " --yes"));
    ASSERT_EQ(removed.exitCode, 0u) << removed.err;
    EXPECT_EQ(removed.out, "Removed: Tab Saver (" + kTabs + ")\r\n");
    EXPECT_FALSE(PathExists(folder));
    EXPECT_EQ(StoredState(Prefs(), kTabs), -1) << "its settings entry is gone";

    const CliResult gone = RunCli(Wide("remove chrome " + kTabs + " --yes"));
    EXPECT_EQ(gone.exitCode, 2u) << "now an unknown id";
}

TEST_F(BpmCli, ARemovalTheRegistryRefusesExitsWithOneAndTheAddonStaysListed) {
    const std::wstring clsid = NewClsid();
    registry.SetString(HKEY_CLASSES_ROOT, L"Wow6432Node\\CLSID\\" + clsid, k64, L"", L"Guarded Helper");
    registry.CreateKey(HKEY_LOCAL_MACHINE, kBho + clsid, k32);
    {
        const ReadOnlyRegistryKey guarded(HKEY_LOCAL_MACHINE, kBho + clsid, k32);
        ASSERT_TRUE(guarded.Applied());
        const CliResult refused = RunCli(L"remove ie " + clsid + L" --yes");
        EXPECT_EQ(refused.exitCode, 1u);
        EXPECT_EQ(refused.out, "");
        EXPECT_EQ(refused.err, "bpmcli: Guarded Helper (" + ToUtf8(clsid) + ") was not removed\r\n");
        EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + clsid, k32));
    }
    const CliResult listed = RunCli(L"list --browser ie --format csv");
    EXPECT_NE(listed.out.find(ToUtf8(clsid) + ",Guarded Helper,"), std::string::npos) << listed.out;
    const CliResult removed = RunCli(L"remove ie " + clsid + L" --yes");
    EXPECT_EQ(removed.exitCode, 0u) << removed.err;
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + clsid, k32));
}

TEST_F(BpmCli, RefusesChangesWhileTheBrowserRuns) {
    const StandInBrowser running(L"chrome.exe");
    ASSERT_TRUE(running.Started());
    const CliResult off = RunCli(Wide("disable chrome " + kTabs));
    EXPECT_EQ(off.exitCode, 3u);
    EXPECT_NE(off.err.find(kRunning), std::string::npos) << off.err;
    const CliResult removal = RunCli(Wide("remove chrome " + kTabs + " --yes"));
    EXPECT_EQ(removal.exitCode, 3u);
    EXPECT_NE(removal.err.find(kRunning), std::string::npos) << removal.err;
    EXPECT_EQ(StoredState(Prefs(), kTabs), 1);
    EXPECT_TRUE(PathExists(chrome + L"Extensions\\" + Wide(kTabs)));

    const CliResult listed = RunCli(L"list --browser chrome --format json");
    EXPECT_NE(listed.out.find("\"running\":true"), std::string::npos) << listed.out;
    // Another browser is not held up by it.
    EXPECT_EQ(RunCli(L"disable firefox one@fox.test").exitCode, 0u);
}

TEST_F(BpmCli, UnknownAddonsBrowsersAndArgumentsAreUsageErrors) {
    const CliResult unknown = RunCli(L"disable chrome zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz");
    EXPECT_EQ(unknown.exitCode, 2u);
    EXPECT_NE(unknown.err.find("has no add-on \"zzzzzzzzzzzzzzzzzzzzzzzzzzzzzzzz\""), std::string::npos)
        << unknown.err;
    EXPECT_EQ(RunCli(L"disable opera whatever").exitCode, 2u) << "Opera is not found";
    EXPECT_EQ(RunCli(L"disable safari whatever").exitCode, 2u);
    EXPECT_EQ(RunCli(L"frobnicate").exitCode, 2u);
    EXPECT_EQ(RunCli(L"").exitCode, 2u);
    EXPECT_EQ(RunCli(L"ratings").exitCode, 2u) << "the browser is missing";

    const CliResult help = RunCli(L"remove --help");
    EXPECT_EQ(help.exitCode, 0u);
    EXPECT_EQ(help.out.rfind("usage: bpmcli remove <browser> <id> --yes", 0), 0u) << help.out;
    const CliResult overview = RunCli(L"--help");
    EXPECT_EQ(overview.exitCode, 0u);
    EXPECT_NE(overview.out.find("json <in> <out>"), std::string::npos);
}

TEST_F(BpmCli, AnIdInBothRegistryViewsNeedsAView) {
    const std::wstring clsid = RegisterTwoViewHelper();
    const CliResult ambiguous = RunCli(L"disable ie " + clsid);
    EXPECT_EQ(ambiguous.exitCode, 2u);
    EXPECT_NE(ambiguous.err.find("--view"), std::string::npos) << ambiguous.err;
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kSettings + clsid, 0));

    const CliResult off = RunCli(L"disable ie " + clsid + L" --view 32");
    ASSERT_EQ(off.exitCode, 0u) << off.err;
    EXPECT_EQ(RawNumber(HKEY_CURRENT_USER, kSettings + clsid, 0, L"Flags"), 1);

    const CliResult removed = RunCli(L"remove ie " + clsid + L" --view 32 --yes");
    ASSERT_EQ(removed.exitCode, 0u) << removed.err;
    EXPECT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + clsid, k32));
    EXPECT_TRUE(RawKeyExists(HKEY_LOCAL_MACHINE, kBho + clsid, k64)) << "the native copy stays";
    const CliResult listed = RunCli(L"list --browser ie --format csv");
    EXPECT_NE(listed.out.find(ToUtf8(clsid) + ",Twin Helper,Twin Helper,,true,1,"), std::string::npos) << listed.out;
    EXPECT_EQ(RunCli(L"enable ie " + clsid).exitCode, 0u) << "one view left: no --view needed";
}

TEST_F(BpmCli, RewritesJsonInTheProgramsFormAndRefusesWhatIsNone) {
    const std::wstring folder = firefox;  // a scratch folder that the sandbox removes
    const std::wstring in = folder + L"in put.json";
    const std::wstring out = folder + L"out.json";
    WriteBytes(in, "\xef\xbb\xbf{ \"a\" : [1, 2.5, \"caf\xc3\xa9/x\"],\n  \"b\": true }\n");
    const CliResult done = RunCli(L"json \"" + in + L"\" \"" + out + L"\"");
    ASSERT_EQ(done.exitCode, 0u) << done.err;
    EXPECT_EQ(ReadBytes(out), "{\"a\":[1,2.5,\"caf\\u00e9\\/x\"],\"b\":true}");

    WriteBytes(in, "{\"a\": [1, 2");
    const std::wstring other = folder + L"other.json";
    const CliResult broken = RunCli(L"json \"" + in + L"\" \"" + other + L"\"");
    EXPECT_EQ(broken.exitCode, 2u);
    EXPECT_NE(broken.err.find("holds no JSON document"), std::string::npos) << broken.err;
    EXPECT_FALSE(PathExists(other));
    EXPECT_EQ(RunCli(L"json \"" + folder + L"missing.json\" \"" + other + L"\"").exitCode, 2u);

    const CliResult unwritable = RunCli(L"json \"" + out + L"\" \"" + folder + L"no\\such\\folder.json\"");
    EXPECT_EQ(unwritable.exitCode, 1u);
    EXPECT_FALSE(unwritable.err.empty());
}

// Every browser profile: Chrome with three listed profiles ("Profile 2" used
// last, "Profile 1" without settings files), Firefox with three profiles (one
// absolute, the default chosen by an [Install...] section), Microsoft Edge
// with two ("Work" the second), Brave with its settings only in "Secure
// Preferences", Vivaldi with user data but no profile that holds settings,
// Opera not installed.
std::string OneExtension(const std::string& id, const std::string& name, int state) {
    return "{\"extensions\":{\"settings\":{\"" + id + "\":{\"state\":" + std::to_string(state) + ",\"path\":\"" + id +
           "\\\\1_0\",\"manifest\":{\"name\":\"" + name + "\",\"version\":\"1\"}}}}}";
}

std::string FoxAddon(const std::string& id) {
    return "{\"schemaVersion\":1,\"addons\":[{\"id\":\"" + id + "\",\"name\":\"" + id +
           "\",\"version\":\"1\",\"userDisabled\":false,\"descriptor\":\"C:\\\\x.xpi\"}]}";
}

const std::string kEdgePersonal = "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa";
const std::string kEdgeWork = "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb";
const std::string kBraveShield = "cccccccccccccccccccccccccccccccc";
const std::string kChromeDefault = "dddddddddddddddddddddddddddddddd";
const std::string kChromeLast = "eeeeeeeeeeeeeeeeeeeeeeeeeeeeeeee";

class BpmCliProfiles : public ::testing::Test {
protected:
    void SetUp() override {
        const std::wstring chrome(FactsOf(BrowserId::Chrome).userData);
        sandbox.WriteLocalState(chrome, R"({"profile":{"info_cache":{"Default":{"name":"Person 1"},)"
                                        R"("Profile 1":{"name":"Empty"},"Profile 2":{"name":"Kids"}},)"
                                        R"("last_used":"Profile 2"}})");
        Extension(chrome, L"Default", kChromeDefault, "Chrome Default One", 1);
        Extension(chrome, L"Profile 2", kChromeLast, "Chrome Kids One", 0);
        sandbox.MakeUserDataProfile(chrome, L"Profile 1", "");  // listed, but without settings: skipped

        const std::wstring edge(FactsOf(BrowserId::Edge).userData);
        sandbox.WriteLocalState(edge, R"({"profile":{"info_cache":{"Default":{"name":"Personal"},)"
                                      R"("Profile 1":{"name":"Work"}},"last_used":"Default"}})");
        edgePersonal = Extension(edge, L"Default", kEdgePersonal, "Edge Personal One", 1);
        edgeWork = Extension(edge, L"Profile 1", kEdgeWork, "Edge Work One", 1);

        const std::wstring brave(FactsOf(BrowserId::Brave).userData);
        braveProfile = sandbox.MakeUserDataProfile(brave, L"Default", "{\"browser\":{\"has_seen_welcome_page\":true}}");
        WriteBytes(braveProfile + L"Secure Preferences", OneExtension(kBraveShield, "Brave Shield Helper", 1));
        MakeFolders(braveProfile + L"Extensions\\" + Wide(kBraveShield) + L"\\1_0");

        const std::wstring vivaldi(FactsOf(BrowserId::Vivaldi).userData);
        sandbox.WriteLocalState(vivaldi, R"({"profile":{"info_cache":{"Default":{"name":"V"}}}})");
        sandbox.MakeUserDataProfile(vivaldi, L"Default", "");

        const std::wstring fox = sandbox.RoamingAppData() + L"\\Mozilla\\Firefox\\";
        farProfile = sandbox.RoamingAppData() + L"\\Mozilla\\Far Away\\work";
        for (const auto& [folder, id] : {std::pair{fox + L"Profiles\\a.default", "a@fox.test"},
                                         std::pair{fox + L"Profiles\\b.default-release", "b@fox.test"},
                                         std::pair{farProfile, "far@fox.test"}}) {
            MakeFolders(folder);
            WriteBytes(folder + L"\\extensions.json", FoxAddon(id));
        }
        WriteBytes(fox + L"profiles.ini",
                   "[General]\r\nStartWithLastProfile=1\r\n\r\n"
                   "[Profile0]\r\nName=default\r\nIsRelative=1\r\nPath=Profiles/a.default\r\nDefault=1\r\n\r\n"
                   "[Profile1]\r\nName=far\r\nIsRelative=0\r\nPath=" + ToUtf8(farProfile) + "\r\n\r\n"
                   "[Profile2]\r\nName=default-release\r\nIsRelative=1\r\nPath=Profiles/b.default-release\r\n\r\n"
                   "[Install308046B0AF4A39CB]\r\nDefault=Profiles/b.default-release\r\nLocked=1\r\n");
    }

    // A profile with one extension and its folder; the profile folder.
    std::wstring Extension(const std::wstring& userData, const std::wstring& profile, const std::string& id,
                           const std::string& name, int state) {
        const std::wstring folder = sandbox.MakeUserDataProfile(userData, profile, OneExtension(id, name, state));
        MakeFolders(folder + L"Extensions\\" + Wide(id) + L"\\1_0");
        return folder;
    }

    BrowserSandbox sandbox;
    std::wstring edgePersonal, edgeWork, braveProfile, farProfile;
};

// "browser/profile/profileName: extension ids" per listed entry.
std::vector<std::string> Entries(const std::string& json) {
    std::vector<std::string> out;
    const auto parsed = JsonDocument::Parse(json);
    if (!parsed) return {"not JSON: " + json};
    const JsonValue* browsers = GetArray(&parsed->Root(), "browsers");
    for (std::size_t i = 0; i < ArraySize(browsers); ++i) {
        const JsonValue* b = ArrayElement(browsers, i);
        std::string line = GetText(b, "browser") + "/" + GetText(b, "profile") + "/" + GetText(b, "profileName") + ":";
        // Internet Explorer lists what the prefix's registry holds.
        if (GetText(b, "browser") == "ie") {
            out.push_back(line);
            continue;
        }
        const JsonValue* addons = GetArray(b, "addons");
        for (std::size_t j = 0; j < ArraySize(addons); ++j)
            if (GetInteger(ArrayElement(addons, j), "kind") == 1) line += " " + GetText(ArrayElement(addons, j), "id");
        out.push_back(line);
    }
    return out;
}

TEST_F(BpmCliProfiles, ListsEveryProfileOfEveryBrowserInButtonOrder) {
    const CliResult result = RunCli(L"list --format json");
    ASSERT_EQ(result.exitCode, 0u) << result.err;
    const std::string farPath = ToUtf8(farProfile);
    EXPECT_EQ(Entries(result.out), (std::vector<std::string>{
                                       "chrome/Profile 2/Kids: " + kChromeLast,
                                       "chrome/Default/Person 1: " + kChromeDefault,
                                       "ie//:",
                                       "firefox/Profiles/b.default-release/default-release: b@fox.test",
                                       "firefox/Profiles/a.default/default: a@fox.test",
                                       "firefox/" + farPath + "/far: far@fox.test",
                                       "opera//:",
                                       "edge/Default/Personal: " + kEdgePersonal,
                                       "edge/Profile 1/Work: " + kEdgeWork,
                                       "brave/Default/: " + kBraveShield,
                                   }));
    // The members in their documented order, the profile right after the browser.
    EXPECT_NE(result.out.find("{\"browser\":\"edge\",\"profile\":\"Profile 1\",\"profileName\":\"Work\",\"kind\":1,"
                              "\"displayName\":\"Microsoft Edge\",\"found\":true,\"dataPath\":\""),
              std::string::npos)
        << result.out;
    EXPECT_NE(result.out.find("\"dataPath\":\"" + JsonEscaped(ToUtf8(braveProfile)) + "\""), std::string::npos)
        << result.out;

    const CliResult edgeOnly = RunCli(L"list --browser edge --format json");
    ASSERT_EQ(edgeOnly.exitCode, 0u) << edgeOnly.err;
    EXPECT_EQ(Entries(edgeOnly.out).size(), 2u) << edgeOnly.out;
    EXPECT_EQ(RunCli(L"list --browser vivaldi --format json").out, "{\"browsers\":[]}\r\n")
        << "a browser without a profile that holds settings is not installed";
}

TEST_F(BpmCliProfiles, AProfileIsChosenByFolderOrNameAndOnlyItsFileChanges) {
    const std::string personalBefore = ReadBytes(edgePersonal + L"Preferences");
    const CliResult off = RunCli(Wide("disable edge " + kEdgeWork + " --profile Work"));
    ASSERT_EQ(off.exitCode, 0u) << off.err;
    EXPECT_EQ(StoredState(edgeWork + L"Preferences", kEdgeWork), 0);
    EXPECT_EQ(ReadBytes(edgePersonal + L"Preferences"), personalBefore) << "the other profile is untouched";

    // The folder and the name both choose it, whatever their letter case.
    EXPECT_EQ(RunCli(Wide("enable edge " + kEdgeWork + " --profile \"profile 1\"")).exitCode, 0u);
    EXPECT_EQ(StoredState(edgeWork + L"Preferences", kEdgeWork), 1);
    EXPECT_EQ(RunCli(Wide("disable edge " + kEdgeWork + " --profile=WORK")).exitCode, 0u);
    EXPECT_EQ(StoredState(edgeWork + L"Preferences", kEdgeWork), 0);

    // Without --profile the first profile is meant: Work's add-on is not there.
    const CliResult first = RunCli(Wide("enable edge " + kEdgeWork));
    EXPECT_EQ(first.exitCode, 2u);
    EXPECT_NE(first.err.find("has no add-on"), std::string::npos) << first.err;
    const CliResult nope = RunCli(Wide("disable edge " + kEdgeWork + " --profile Holidays"));
    EXPECT_EQ(nope.exitCode, 2u);
    EXPECT_NE(nope.err.find("has no profile \"Holidays\""), std::string::npos) << nope.err;
    const CliResult missing = RunCli(L"disable vivaldi whatever");
    EXPECT_EQ(missing.exitCode, 2u);
    EXPECT_NE(missing.err.find("Vivaldi was not found"), std::string::npos) << missing.err;

    // Brave's settings live in "Secure Preferences": changed there, "Preferences" left.
    const std::string bravePrefs = ReadBytes(braveProfile + L"Preferences");
    ASSERT_EQ(RunCli(Wide("disable brave " + kBraveShield)).exitCode, 0u);
    EXPECT_EQ(StoredState(braveProfile + L"Secure Preferences", kBraveShield), 0);
    EXPECT_EQ(ReadBytes(braveProfile + L"Preferences"), bravePrefs);

    // Firefox's absolute profile by its name; its own extensions.json changes.
    const CliResult fox = RunCli(L"disable firefox far@fox.test --profile far");
    ASSERT_EQ(fox.exitCode, 0u) << fox.err;
    EXPECT_NE(ReadBytes(farProfile + L"\\extensions.json").find("\"userDisabled\":true"), std::string::npos);

    // A removal acts on the chosen profile too.
    ASSERT_EQ(RunCli(Wide("remove edge " + kEdgeWork + " --profile Work --yes")).exitCode, 0u);
    EXPECT_FALSE(PathExists(edgeWork + L"Extensions\\" + Wide(kEdgeWork)));
    EXPECT_TRUE(PathExists(edgePersonal + L"Extensions\\" + Wide(kEdgePersonal)));
}

// The web protocols' UserChoice keys and open commands belong to the prefix:
// they are saved first and put back as they were. Each test starts without
// any UserChoice key.
class BpmCliDefault : public BpmCli {
protected:
    void SetUp() override {
        BpmCli::SetUp();
        for (const wchar_t* protocol : {L"http", L"https", L"ftp"}) {
            const std::wstring command = std::wstring(protocol) + L"\\shell\\open\\command";
            saved.push_back({HKEY_CLASSES_ROOT, command, L"", RawString(HKEY_CLASSES_ROOT, command, 0, L"")});
            const std::wstring choice = Choice(protocol);
            saved.push_back({HKEY_CURRENT_USER, choice, L"Progid", RawString(HKEY_CURRENT_USER, choice, 0, L"Progid")});
            RegDeleteTreeW(HKEY_CURRENT_USER, choice.c_str());
            registry.Watch(HKEY_CURRENT_USER, choice, 0);
        }
        registry.SetString(HKEY_LOCAL_MACHINE, L"SOFTWARE\\Clients\\StartMenuInternet\\FIREFOX.EXE\\shell\\open\\command",
                           k64, L"", L"\"C:\\Fox\\firefox.exe\"");
    }
    void TearDown() override {
        BpmCli::TearDown();
        for (const Saved& value : saved) {
            HKEY key = nullptr;
            if (value.text == L"(none)") {
                if (RegOpenKeyExW(value.root, value.path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) continue;
                RegDeleteValueW(key, value.name.c_str());
            } else {
                if (RegCreateKeyExW(value.root, value.path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                    nullptr) != ERROR_SUCCESS)
                    continue;
                RegSetValueExW(key, value.name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                               static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t)));
            }
            RegCloseKey(key);
        }
    }
    static std::wstring Choice(const wchar_t* protocol) {
        return L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\" + std::wstring(protocol) +
               L"\\UserChoice";
    }

    struct Saved {
        HKEY root;
        std::wstring path;
        std::wstring name;
        std::wstring text;
    };
    std::vector<Saved> saved;
};

TEST_F(BpmCliDefault, ShowsAndSetsTheDefaultBrowserAndTellsWhenWindowsRefuses) {
    const CliResult none = RunCli(L"default");
    EXPECT_EQ(none.exitCode, 0u);
    EXPECT_EQ(none.out.rfind("none\t", 0), 0u) << none.out;

    registry.SetString(HKEY_CURRENT_USER, Choice(L"http"), 0, L"Progid", L"IE.HTTP");
    registry.SetString(HKEY_CURRENT_USER, Choice(L"ftp"), 0, L"Progid", L"IE.FTP");
    EXPECT_EQ(RunCli(L"default").out, "ie\tInternet Explorer\r\n");

    const CliResult set = RunCli(L"default firefox");
    ASSERT_EQ(set.exitCode, 0u) << set.err;
    EXPECT_EQ(set.out, "Successfully set as default browser.\r\n");
    EXPECT_EQ(RawString(HKEY_CURRENT_USER, Choice(L"http"), 0, L"Progid"), L"FirefoxURL");
    EXPECT_EQ(RawString(HKEY_CLASSES_ROOT, L"http\\shell\\open\\command", 0, L""), L"\"C:\\Fox\\firefox.exe\"");
    EXPECT_EQ(RunCli(L"default").out, "firefox\tMozilla Firefox\r\n");

    // Without an http UserChoice key the choice cannot take.
    RegDeleteTreeW(HKEY_CURRENT_USER, Choice(L"http").c_str());
    const CliResult refused = RunCli(L"default chrome");
    EXPECT_EQ(refused.exitCode, 1u);
    EXPECT_NE(refused.err.find("Windows did not accept the change."), std::string::npos) << refused.err;
    EXPECT_EQ(refused.out, "");

    EXPECT_EQ(RunCli(L"default opera").exitCode, 2u) << "Opera was not found";
}

}  // namespace
