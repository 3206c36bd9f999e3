#include "browsers/BrowserList.h"

#include <gtest/gtest.h>

#include "support/BrowserSandbox.h"
#include "support/ScratchRegistry.h"

namespace {

constexpr REGSAM k64 = KEY_WOW64_64KEY;
constexpr REGSAM k32 = KEY_WOW64_32KEY;
const std::wstring kClients = L"SOFTWARE\\Clients\\StartMenuInternet\\";

const char kChromePrefs[] =
    R"({"extensions":{"settings":{"aaaabbbbccccddddeeeeffffgggghhhh":{"state":1,"path":"aaaabbbbccccddddeeeeffffgggghhhh\\1_0","manifest":{"name":"Chrome One","version":"1"}}}}})";
const char kOperaPrefs[] =
    R"({"extensions":{"settings":{"bbbbccccddddeeeeffffgggghhhhiiii":{"state":0,"path":"bbbbccccddddeeeeffffgggghhhhiiii\\2_0","manifest":{"name":"Opera One","version":"2"}}}}})";
const char kFirefoxJson[] =
    R"({"schemaVersion":1,"addons":[{"id":"one@fox.test","name":"Fox One","version":"3","userDisabled":false,"descriptor":"C:\\one.xpi"}]})";

std::vector<BrowserKind> Kinds(const BrowserList& list) {
    std::vector<BrowserKind> kinds;
    for (const auto& adapter : list) kinds.push_back(adapter->Kind);
    return kinds;
}

// The names of the adapter's extensions (plug-ins of the prefix left out).
std::vector<std::wstring> ExtensionNames(const TBrowserAppBase& adapter) {
    std::vector<std::wstring> names;
    for (int i = 0; i < adapter.GetExtensionCount(); ++i)
        if (adapter.GetExtension(i)->Kind == AddonKind::Extension) names.push_back(adapter.GetExtension(i)->Name);
    return names;
}

class BrowserOrder : public ::testing::Test {
protected:
    void TearDown() override { EXPECT_TRUE(registry.Restore()) << "a test key was left behind"; }

    void MakeChrome() {
        const std::wstring profile = sandbox.MakeChrome(kChromePrefs);
        MakeFolders(profile + L"Extensions\\aaaabbbbccccddddeeeeffffgggghhhh\\1_0");
    }
    void MakeOpera() {
        const std::wstring profile = sandbox.MakeOpera(kOperaPrefs);
        MakeFolders(profile + L"Extensions\\bbbbccccddddeeeeffffgggghhhhiiii\\2_0");
    }
    // Every browser registered, so that only the order rules decide which
    // adapter reads its registration.
    void RegisterAll() {
        for (const wchar_t* key : {L"Google Chrome", L"IEXPLORE.EXE", L"FIREFOX.EXE", L"OperaStable"}) {
            const std::wstring path = kClients + key;
            registry.SetString(HKEY_LOCAL_MACHINE, path + L"\\shell\\open\\command", k64, L"",
                               std::wstring(L"C:\\Browsers\\") + key + L"\\run.exe");
            registry.SetString(HKEY_LOCAL_MACHINE, path + L"\\Capabilities", k64, L"ApplicationDescription",
                               std::wstring(L"Registered ") + key);
            registry.SetString(HKEY_LOCAL_MACHINE, path + L"\\DefaultIcon", k64, L"", L"C:\\windows\\notepad.exe,0");
        }
    }

    BrowserSandbox sandbox;
    ScratchRegistry registry;
};

TEST_F(BrowserOrder, WithOnlyInternetExplorerAndFirefoxTheMissingOnesFollow) {
    sandbox.MakeFirefox(kFirefoxJson);
    RegisterAll();
    BrowserList list;
    GetBrowserList(list);
    ASSERT_EQ(Kinds(list), (std::vector<BrowserKind>{BrowserKind::InternetExplorer, BrowserKind::Firefox,
                                                     BrowserKind::ChromeFamily, BrowserKind::Opera}));
    const TBrowserAppBase& firefox = *list[1];
    EXPECT_FALSE(firefox.DataPath.empty());
    EXPECT_EQ(ExtensionNames(firefox), std::vector<std::wstring>{L"Fox One"});
    EXPECT_EQ(firefox.Description, L"Registered FIREFOX.EXE");
    EXPECT_EQ(firefox.OpenCommand, L"C:\\Browsers\\FIREFOX.EXE\\run.exe");
    EXPECT_TRUE(firefox.IconHandle);
    // A browser that was not found does not read its registration.
    for (std::size_t i : {2u, 3u}) {
        EXPECT_TRUE(list[i]->DataPath.empty());
        EXPECT_TRUE(ExtensionNames(*list[i]).empty());
        EXPECT_TRUE(list[i]->Description.empty());
        EXPECT_TRUE(list[i]->OpenCommand.empty());
        EXPECT_FALSE(list[i]->IconHandle);
    }
}

TEST_F(BrowserOrder, WithAllFourFoundTheFamilyOrderHolds) {
    MakeChrome();
    MakeOpera();
    sandbox.MakeFirefox(kFirefoxJson);
    BrowserList list;
    GetBrowserList(list);
    ASSERT_EQ(Kinds(list), (std::vector<BrowserKind>{BrowserKind::ChromeFamily, BrowserKind::InternetExplorer,
                                                     BrowserKind::Firefox, BrowserKind::Opera}));
    for (const auto& adapter : list) EXPECT_FALSE(adapter->DataPath.empty()) << static_cast<int>(adapter->Kind);
    EXPECT_EQ(ExtensionNames(*list[0]), std::vector<std::wstring>{L"Chrome One"});
    EXPECT_EQ(ExtensionNames(*list[2]), std::vector<std::wstring>{L"Fox One"});
    EXPECT_EQ(ExtensionNames(*list[3]), std::vector<std::wstring>{L"Opera One"});
}

TEST_F(BrowserOrder, InternetExplorerAloneComesFirstAndKeepsItsFixedFields) {
    RegisterAll();
    BrowserList list;
    GetBrowserList(list);
    ASSERT_EQ(Kinds(list), (std::vector<BrowserKind>{BrowserKind::InternetExplorer, BrowserKind::ChromeFamily,
                                                     BrowserKind::Firefox, BrowserKind::Opera}));
    const TBrowserAppBase& ie = *list[0];
    EXPECT_EQ(ie.DataPath, L"C:\\Program Files\\Internet Explorer\\");
    EXPECT_EQ(ie.Description, L"Internet Explorer") << "its registration is never read";
    EXPECT_EQ(ie.OpenCommand, L"C:\\Program Files\\Internet Explorer\\iexplore.exe");
    EXPECT_TRUE(ie.IconHandle) << "icon 0 of Wine's iexplore.exe";
    for (std::size_t i = 1; i < list.size(); ++i) {
        EXPECT_TRUE(list[i]->DataPath.empty());
        EXPECT_EQ(list[i]->GetExtensionCount(), 0) << "no profile, no plug-ins either";
    }
}

}  // namespace
