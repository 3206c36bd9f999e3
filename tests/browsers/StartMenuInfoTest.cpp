#include "browsers/StartMenuInfo.h"

#include <gtest/gtest.h>

#include "browsers/BrowserAppBase.h"
#include "browsers/DefaultBrowser.h"
#include "support/ReadOnlyRegistryKey.h"
#include "support/ScratchRegistry.h"

namespace {

constexpr REGSAM k64 = KEY_WOW64_64KEY;
constexpr REGSAM k32 = KEY_WOW64_32KEY;
const std::wstring kClients = L"SOFTWARE\\Clients\\StartMenuInternet\\";
const std::wstring kChoices = L"Software\\Microsoft\\Windows\\Shell\\Associations\\UrlAssociations\\";

class BareAdapter : public TBrowserAppBase {
public:
    explicit BareAdapter(BrowserKind kind) { Kind = kind; }
    explicit BareAdapter(BrowserId browser) {
        Browser = browser;
        Kind = FactsOf(browser).kind;
    }
    void CloseBrowser() override {}
    bool IsBrowserRunning() override { return false; }
    bool RemoveExtension(TBrowserExtensionInfo*) override { return false; }
    bool ToggleExtension(TBrowserExtensionInfo*) override { return false; }
};

TEST(IconLocations, SplitAtTheFirstCommaWithAWholeNumberIndex) {
    const auto first = ParseIconLocation(L"C:\\Apps\\browser.exe,0");
    ASSERT_TRUE(first);
    EXPECT_EQ(first->file, L"C:\\Apps\\browser.exe");
    EXPECT_EQ(first->index, 0);
    const auto negative = ParseIconLocation(L"C:\\a,b\\browser.exe,-2");
    ASSERT_FALSE(negative) << "only the first comma splits: \"b\\browser.exe,-2\" is no number";
    const auto resource = ParseIconLocation(L"C:\\Apps\\browser.exe,-2");
    ASSERT_TRUE(resource);
    EXPECT_EQ(resource->index, -2);
    EXPECT_FALSE(ParseIconLocation(L"C:\\Apps\\browser.exe")) << "no comma: the whole text is the index";
    EXPECT_FALSE(ParseIconLocation(L"C:\\Apps\\browser.exe,abc"));
    EXPECT_FALSE(ParseIconLocation(L"C:\\Apps\\browser.exe,"));
    EXPECT_FALSE(ParseIconLocation(L"C:\\Apps\\browser.exe,1x"));
    const auto bare = ParseIconLocation(L"3");
    ASSERT_TRUE(bare) << "a lone number is an index without a file";
    EXPECT_TRUE(bare->file.empty());
}

class StartMenuRegistration : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(registry.Restore()) << "a test key was left behind"; }
    ScratchRegistry registry;
};

TEST_F(StartMenuRegistration, NativeValuesWinAndThe32BitRegistrationFillsTheGaps) {
    const std::wstring key = kClients + L"FIREFOX.EXE";
    registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\shell\\open\\command", k64, L"", L"\"C:\\Fox64\\firefox.exe\"");
    registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\shell\\open\\command", k32, L"", L"\"C:\\Fox32\\firefox.exe\"");
    registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\InstallInfo", k32, L"ReinstallCommand", L"C:\\Fox32\\setup.exe /r");
    registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\Capabilities", k64, L"ApplicationName", L"Firefox");
    registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\Capabilities", k32, L"ApplicationDescription", L"From 32");
    registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\DefaultIcon", k32, L"", L"C:\\windows\\notepad.exe,0");

    BareAdapter adapter(BrowserKind::Firefox);
    LoadStartMenuInfo(adapter);
    EXPECT_EQ(adapter.OpenCommand, L"\"C:\\Fox64\\firefox.exe\"");
    EXPECT_EQ(adapter.ReinstallCommand, L"C:\\Fox32\\setup.exe /r");
    EXPECT_EQ(adapter.Description, L"From 32");
    EXPECT_TRUE(adapter.IconHandle) << "notepad.exe has an icon 0";
}

TEST_F(StartMenuRegistration, MalformedIconLocationsAndMissingKeysLeaveTheFieldsEmpty) {
    for (const wchar_t* location : {L"C:\\windows\\notepad.exe", L"C:\\windows\\notepad.exe,abc"}) {
        const std::wstring key = kClients + L"OperaStable";
        registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\DefaultIcon", k64, L"", location);
        BareAdapter adapter(BrowserKind::Opera);
        LoadStartMenuInfo(adapter);
        EXPECT_FALSE(adapter.IconHandle) << testing::PrintToString(std::wstring(location));
        EXPECT_TRUE(adapter.OpenCommand.empty());
        EXPECT_TRUE(adapter.Description.empty());
        EXPECT_TRUE(registry.Restore());
    }
}

TEST_F(StartMenuRegistration, ARegistrationOnlyUnderWow6432NodeFillsEveryField) {
    // What a 32-bit installer writes on 64-bit Windows.
    const std::wstring key = kClients + L"Google Chrome";
    registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\shell\\open\\command", k32, L"", L"C:\\Chrome32\\chrome.exe");
    registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\InstallInfo", k32, L"ReinstallCommand", L"C:\\Chrome32\\setup.exe");
    registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\Capabilities", k32, L"ApplicationDescription", L"Chrome 32");
    registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\DefaultIcon", k32, L"", L"C:\\windows\\regedit.exe,0");
    ASSERT_FALSE(RawKeyExists(HKEY_LOCAL_MACHINE, key, k64)) << "the prefix has a native Chrome registration";

    BareAdapter adapter(BrowserKind::ChromeFamily);
    LoadStartMenuInfo(adapter);
    EXPECT_EQ(adapter.OpenCommand, L"C:\\Chrome32\\chrome.exe");
    EXPECT_EQ(adapter.ReinstallCommand, L"C:\\Chrome32\\setup.exe");
    EXPECT_EQ(adapter.Description, L"Chrome 32");
    EXPECT_TRUE(adapter.IconHandle);
}

TEST_F(StartMenuRegistration, TheIconIndexReachesTheShell) {
    // Wine's regedit.exe has two icons: index 1 is there, index 50 is not.
    const std::wstring key = kClients + L"FIREFOX.EXE";
    const auto iconFor = [&](const wchar_t* location) {
        registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\DefaultIcon", k64, L"", location);
        registry.SetString(HKEY_LOCAL_MACHINE, key + L"\\Capabilities", k64, L"ApplicationDescription", L"Fox");
        BareAdapter adapter(BrowserKind::Firefox);
        LoadStartMenuInfo(adapter);
        EXPECT_EQ(adapter.Description, L"Fox") << "the icon location never stops the other reads";
        const bool icon = static_cast<bool>(adapter.IconHandle);
        EXPECT_TRUE(registry.Restore());
        return icon;
    };
    EXPECT_TRUE(iconFor(L"C:\\windows\\regedit.exe,1"));
    EXPECT_FALSE(iconFor(L"C:\\windows\\regedit.exe,50"));
    // A negative index names an icon resource; notepad.exe has no resource 2,
    // and the shell's answer is all there is to it (no error, no crash).
    EXPECT_FALSE(iconFor(L"C:\\windows\\notepad.exe,-2"));
    EXPECT_FALSE(iconFor(L"C:\\missing\\browser.exe,0"));
}

TEST_F(StartMenuRegistration, ANewerBrowserIsFoundUnderItsRegisteredNameSuffixAndAll) {
    // A per-user install: the key and the ProgId carry the install's suffix.
    const std::wstring user = L"Software\\Clients\\StartMenuInternet\\";
    registry.SetString(HKEY_CURRENT_USER, user + L"Brave.ABC123\\shell\\open\\command", 0, L"",
                       L"C:\\Users\\u\\Brave\\brave.exe");
    registry.SetString(HKEY_CURRENT_USER, user + L"Brave.ABC123\\Capabilities", 0, L"ApplicationDescription", L"Mine");
    registry.SetString(HKEY_CURRENT_USER, user + L"Brave.ABC123\\Capabilities\\URLAssociations", 0, L"http",
                       L"BraveHTML.ABC123");
    registry.SetString(HKEY_CURRENT_USER, user + L"Bravery\\shell\\open\\command", 0, L"", L"C:\\other.exe");
    BareAdapter brave(BrowserId::Brave);
    LoadStartMenuInfo(brave);
    EXPECT_EQ(brave.Registration.StartMenuKey, L"Brave.ABC123");
    EXPECT_TRUE(brave.Registration.PerUser);
    EXPECT_EQ(brave.Registration.UrlProgId, L"BraveHTML.ABC123");
    EXPECT_EQ(brave.OpenCommand, L"C:\\Users\\u\\Brave\\brave.exe");
    EXPECT_EQ(brave.Description, L"Mine");
    EXPECT_EQ(UrlProgIdOf(brave), L"BraveHTML.ABC123");

    // The machine's plain registration comes first; its plain ProgId stays.
    registry.SetString(HKEY_LOCAL_MACHINE, kClients + L"Brave\\shell\\open\\command", k64, L"", L"C:\\Brave\\brave.exe");
    BareAdapter machine(BrowserId::Brave);
    LoadStartMenuInfo(machine);
    EXPECT_EQ(machine.Registration.StartMenuKey, L"Brave");
    EXPECT_FALSE(machine.Registration.PerUser);
    EXPECT_EQ(machine.OpenCommand, L"C:\\Brave\\brave.exe");
    EXPECT_EQ(UrlProgIdOf(machine), L"BraveHTML");

    // The four families keep their exact key: no suffix is looked for.
    registry.SetString(HKEY_LOCAL_MACHINE, kClients + L"Google Chrome.XYZ\\shell\\open\\command", k64, L"",
                       L"C:\\Chrome\\chrome.exe");
    BareAdapter chrome(BrowserId::Chromium);
    LoadStartMenuInfo(chrome);
    EXPECT_EQ(chrome.Registration.StartMenuKey, L"Google Chrome");
    EXPECT_TRUE(chrome.OpenCommand.empty());
    EXPECT_EQ(UrlProgIdOf(chrome), L"ChromeHTML");
}

TEST_F(StartMenuRegistration, TheDefaultAppsPageNamesTheBrowsersRegisteredApplication) {
    BareAdapter edge(BrowserId::Edge);
    LoadStartMenuInfo(edge);
    EXPECT_EQ(DefaultAppsSettingsAddress(edge), L"ms-settings:defaultapps") << "nothing registered";
    // Another browser's value, and one whose key only begins like Edge's, name it not.
    registry.SetForeignValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\RegisteredApplications", k64, L"Edge Beta",
                             L"Software\\Clients\\StartMenuInternet\\Microsoft Edge Beta\\Capabilities");
    EXPECT_EQ(DefaultAppsSettingsAddress(edge), L"ms-settings:defaultapps");
    registry.SetForeignValue(HKEY_LOCAL_MACHINE, L"SOFTWARE\\RegisteredApplications", k64, L"Microsoft Edge",
                             L"SOFTWARE\\Clients\\StartMenuInternet\\Microsoft Edge\\Capabilities");
    EXPECT_EQ(DefaultAppsSettingsAddress(edge), L"ms-settings:defaultapps?registeredAppMachine=Microsoft Edge");

    // A per-user install registers for the user.
    registry.SetString(HKEY_CURRENT_USER, L"Software\\Clients\\StartMenuInternet\\Vivaldi.U1\\shell\\open\\command", 0,
                       L"", L"C:\\V\\vivaldi.exe");
    registry.SetString(HKEY_CURRENT_USER, L"Software\\RegisteredApplications", 0, L"Vivaldi.U1",
                       L"Software\\Clients\\StartMenuInternet\\Vivaldi.U1\\Capabilities");
    BareAdapter vivaldi(BrowserId::Vivaldi);
    LoadStartMenuInfo(vivaldi);
    EXPECT_EQ(DefaultAppsSettingsAddress(vivaldi), L"ms-settings:defaultapps?registeredAppUser=Vivaldi.U1");
}

// The http, https and ftp open commands of HKCR and the UserChoice keys
// (which a Wine prefix has from the start) belong to the system: they are
// put back as they were. Each test starts without any UserChoice key.
class DefaultBrowserChoice : public ::testing::Test {
protected:
    void SetUp() override {
        for (const wchar_t* protocol : {L"http", L"https", L"ftp"}) {
            const std::wstring command = std::wstring(protocol) + L"\\shell\\open\\command";
            saved.push_back({HKEY_CLASSES_ROOT, command, RawString(HKEY_CLASSES_ROOT, command, 0, L"")});
            const std::wstring choice = kChoices + protocol + L"\\UserChoice";
            saved.push_back({HKEY_CURRENT_USER, choice, RawString(HKEY_CURRENT_USER, choice, 0, L"Progid")});
            RegDeleteTreeW(HKEY_CURRENT_USER, choice.c_str());
            registry.Watch(HKEY_CURRENT_USER, choice, 0);
        }
    }
    void TearDown() override {
        EXPECT_TRUE(registry.Restore()) << "a test key was left behind";
        for (const Saved& value : saved) {
            const bool choice = value.root == HKEY_CURRENT_USER;
            const wchar_t* name = choice ? L"Progid" : L"";
            HKEY key = nullptr;
            if (value.text == L"(none)") {
                if (RegOpenKeyExW(value.root, value.path.c_str(), 0, KEY_SET_VALUE, &key) != ERROR_SUCCESS) continue;
                RegDeleteValueW(key, name);
            } else {
                if (RegCreateKeyExW(value.root, value.path.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr, &key,
                                    nullptr) != ERROR_SUCCESS)
                    continue;
                RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(value.text.c_str()),
                               static_cast<DWORD>((value.text.size() + 1) * sizeof(wchar_t)));
            }
            RegCloseKey(key);
        }
    }

    struct Saved {
        HKEY root;
        std::wstring path;
        std::wstring text;
    };
    std::vector<Saved> saved;

    void Choose(const wchar_t* protocol, const std::wstring& progId) {
        registry.SetString(HKEY_CURRENT_USER, kChoices + protocol + L"\\UserChoice", 0, L"Progid", progId);
    }
    static std::wstring Choice(const wchar_t* protocol) {
        return RawString(HKEY_CURRENT_USER, kChoices + protocol + L"\\UserChoice", 0, L"Progid");
    }
    // The open command every web protocol has before a test changes anything.
    static void SetOpenCommands(const std::wstring& command) {
        for (const wchar_t* protocol : {L"http", L"https", L"ftp"}) {
            HKEY key = nullptr;
            ASSERT_EQ(RegOpenKeyExW(HKEY_CLASSES_ROOT, (std::wstring(protocol) + L"\\shell\\open\\command").c_str(), 0,
                                    KEY_SET_VALUE, &key),
                      ERROR_SUCCESS)
                << "the prefix has no open command for " << protocol;
            RegSetValueExW(key, L"", 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>((command.size() + 1) * sizeof(wchar_t)));
            RegCloseKey(key);
        }
    }
    static void ExpectOpenCommands(const std::wstring& command, const char* when) {
        for (const wchar_t* protocol : {L"http", L"https", L"ftp"})
            EXPECT_EQ(RawString(HKEY_CLASSES_ROOT, std::wstring(protocol) + L"\\shell\\open\\command", 0, L""), command)
                << protocol << ", " << when;
    }
    const std::wstring kSystemCommand = L"\"C:\\windows\\system32\\winebrowser.exe\" -nohome \"%1\"";

    ScratchRegistry registry;
};

TEST_F(DefaultBrowserChoice, OnlyTheExactHttpProgidCounts) {
    BareAdapter chrome(BrowserKind::ChromeFamily);
    EXPECT_FALSE(IsDefaultBrowser(chrome)) << "no UserChoice key yet";
    Choose(L"http", L"chromehtml");
    EXPECT_FALSE(IsDefaultBrowser(chrome));
    Choose(L"https", L"ChromeHTML");
    EXPECT_FALSE(IsDefaultBrowser(chrome)) << "only http is looked at";
    Choose(L"http", L"ChromeHTML");
    EXPECT_TRUE(IsDefaultBrowser(chrome));
    EXPECT_FALSE(IsDefaultBrowser(BareAdapter(BrowserKind::Firefox)));
}

TEST_F(DefaultBrowserChoice, MakingADefaultWritesExistingChoicesAndAllOpenCommands) {
    Choose(L"ftp", L"IE.FTP");
    Choose(L"http", L"IE.HTTP");
    BareAdapter firefox(BrowserKind::Firefox);
    firefox.OpenCommand = L"\"C:\\Program Files (x86)\\Mozilla Firefox\\firefox.exe\"";

    EXPECT_TRUE(SetDefaultBrowser(firefox));
    EXPECT_EQ(Choice(L"ftp"), L"FirefoxURL");
    EXPECT_EQ(Choice(L"http"), L"FirefoxURL");
    EXPECT_FALSE(RawKeyExists(HKEY_CURRENT_USER, kChoices + L"https\\UserChoice", 0)) << "no key is created";
    for (const wchar_t* protocol : {L"http", L"https", L"ftp"})
        EXPECT_EQ(RawString(HKEY_CLASSES_ROOT, std::wstring(protocol) + L"\\shell\\open\\command", 0, L""),
                  firefox.OpenCommand)
            << protocol;
}

TEST_F(DefaultBrowserChoice, AChangeWindowsDoesNotTakeIsReportedAsFailedAndKeepsTheOpenCommands) {
    SetOpenCommands(kSystemCommand);
    // Without an http UserChoice key the choice cannot be written at all.
    BareAdapter opera(BrowserKind::Opera);
    opera.OpenCommand = L"C:\\Opera\\launcher.exe";
    EXPECT_FALSE(SetDefaultBrowser(opera));
    EXPECT_FALSE(IsDefaultBrowser(opera));
    ExpectOpenCommands(kSystemCommand, "no UserChoice key");

    // Keys that are there but refuse the write change nothing either.
    Choose(L"http", L"IE.HTTP");
    Choose(L"ftp", L"IE.FTP");
    {
        const ReadOnlyRegistryKey http(HKEY_CURRENT_USER, kChoices + L"http\\UserChoice");
        const ReadOnlyRegistryKey ftp(HKEY_CURRENT_USER, kChoices + L"ftp\\UserChoice");
        ASSERT_TRUE(http.Applied() && ftp.Applied());
        EXPECT_FALSE(SetDefaultBrowser(opera));
    }
    EXPECT_EQ(Choice(L"http"), L"IE.HTTP");
    EXPECT_EQ(Choice(L"ftp"), L"IE.FTP");
    ExpectOpenCommands(kSystemCommand, "UserChoice keys that may only be read");
}

TEST_F(DefaultBrowserChoice, ABrowserWithoutAnOpenCommandGetsTheChoiceButLeavesTheOpenCommands) {
    SetOpenCommands(kSystemCommand);
    Choose(L"http", L"IE.HTTP");
    BareAdapter chrome(BrowserKind::ChromeFamily);  // registered for the user only
    ASSERT_TRUE(chrome.OpenCommand.empty());
    EXPECT_TRUE(SetDefaultBrowser(chrome));
    EXPECT_EQ(Choice(L"http"), L"ChromeHTML");
    ExpectOpenCommands(kSystemCommand, "empty open command");
}

TEST_F(DefaultBrowserChoice, EachNewerBrowserIsTheDefaultByItsOwnProgId) {
    BareAdapter edge(BrowserId::Edge);
    BareAdapter chrome(BrowserId::Chrome);
    Choose(L"http", L"MSEdgeHTM");
    EXPECT_TRUE(IsDefaultBrowser(edge));
    EXPECT_FALSE(IsDefaultBrowser(chrome)) << "one family, but not one ProgId";
    BareAdapter brave(BrowserId::Brave);
    brave.Registration.UrlProgId = L"BraveHTML.ABC123";
    Choose(L"http", L"BraveHTML");
    EXPECT_FALSE(IsDefaultBrowser(brave)) << "the install registered its suffixed ProgId";
    Choose(L"ftp", L"IE.FTP");
    EXPECT_TRUE(SetDefaultBrowser(brave));
    EXPECT_EQ(Choice(L"http"), L"BraveHTML.ABC123");
    EXPECT_EQ(Choice(L"ftp"), L"BraveHTML.ABC123");
}

TEST_F(DefaultBrowserChoice, AnAlreadyDefaultBrowserIsLeftAsItIs) {
    Choose(L"http", L"OperaStable");
    Choose(L"ftp", L"Other.FTP");
    BareAdapter opera(BrowserKind::Opera);
    opera.OpenCommand = L"C:\\Opera\\launcher.exe";
    EXPECT_TRUE(SetDefaultBrowser(opera));
    EXPECT_EQ(Choice(L"ftp"), L"Other.FTP");
}

}  // namespace
