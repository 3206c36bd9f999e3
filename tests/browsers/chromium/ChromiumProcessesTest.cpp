#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "ChromiumTestFiles.h"
#include "browsers/BrowserProcesses.h"
#include "browsers/chromium/ChromeExtensions.h"
#include "browsers/chromium/OperaExtensions.h"

namespace {

// Copies of the stand-in program run under browser names from folders of
// their own (names differing only in case cannot share a folder).
class BrowserProcesses : public ::testing::Test {
protected:
    std::unique_ptr<HelperProcess> Start(const wchar_t* exeName) {
        const std::wstring folder = scratch.Path() + std::to_wstring(++serial);
        auto process = std::make_unique<HelperProcess>(folder, exeName);
        EXPECT_TRUE(process->Started());
        return process;
    }

    ScratchFolder scratch{L"BrivoBrowserProcesses"};
    int serial = 0;
};

TEST_F(BrowserProcesses, ANameIsFoundOnlyWithItsExactLetterCase) {
    EXPECT_EQ(FindProcessByName(L"chrome.exe"), 0u) << "a chrome.exe of someone else runs in this prefix";
    TChromeExtensions chrome;
    EXPECT_FALSE(chrome.IsBrowserRunning());

    const auto upper = Start(L"Chrome.exe");
    EXPECT_EQ(FindProcessByName(L"Chrome.exe"), upper->Id());
    EXPECT_EQ(FindProcessByName(L"chrome.exe"), 0u);
    EXPECT_EQ(FindProcessByName(L"Chrome"), 0u);
    EXPECT_FALSE(chrome.IsBrowserRunning());

    const auto lower = Start(L"chrome.exe");
    EXPECT_EQ(FindProcessByName(L"chrome.exe"), lower->Id());
    EXPECT_TRUE(chrome.IsBrowserRunning());
    EXPECT_TRUE(lower->Release());
    EXPECT_EQ(FindProcessByName(L"chrome.exe"), 0u) << "a fresh snapshot each time";
    EXPECT_FALSE(chrome.IsBrowserRunning());
}

TEST_F(BrowserProcesses, KillingEndsEveryProcessOfThatNameAndNoOther) {
    std::vector<std::unique_ptr<HelperProcess>> chromes;
    for (int i = 0; i < 3; ++i) chromes.push_back(Start(L"chrome.exe"));
    const auto upper = Start(L"Chrome.exe");
    const auto opera = Start(L"opera.exe");

    TChromeExtensions().CloseBrowser();
    for (const auto& process : chromes) {
        ASSERT_TRUE(process->EndsWithin(10000)) << "process " << process->Id() << " still runs";
        DWORD code = 0;
        EXPECT_TRUE(GetExitCodeProcess(process->Handle(), &code));
        EXPECT_EQ(code, STILL_ACTIVE) << "terminated with the exit code it had while running";
    }
    EXPECT_FALSE(upper->EndsWithin(300));
    EXPECT_FALSE(opera->EndsWithin(0));
    EXPECT_EQ(FindProcessByName(L"chrome.exe"), 0u);

    KillProcessesByName(L"nobody-runs-this.exe");
    EXPECT_FALSE(upper->EndsWithin(0));
    EXPECT_TRUE(upper->Release());
    EXPECT_TRUE(opera->Release());
}

TEST_F(BrowserProcesses, EveryCopyOfFirefoxExeIsFoundAndEndedAndNothingElse) {
    EXPECT_EQ(FindProcessByName(L"firefox.exe"), 0u) << "a firefox.exe of someone else runs in this prefix";
    std::vector<std::unique_ptr<HelperProcess>> foxes;
    for (int i = 0; i < 3; ++i) foxes.push_back(Start(L"firefox.exe"));
    const auto upper = Start(L"Firefox.exe");
    const auto chrome = Start(L"chrome.exe");
    const DWORD found = FindProcessByName(L"firefox.exe");
    EXPECT_TRUE(found == foxes[0]->Id() || found == foxes[1]->Id() || found == foxes[2]->Id()) << found;

    KillProcessesByName(L"firefox.exe");
    for (const auto& process : foxes) EXPECT_TRUE(process->EndsWithin(10000)) << "process " << process->Id();
    EXPECT_EQ(FindProcessByName(L"firefox.exe"), 0u);
    EXPECT_EQ(FindProcessByName(L"Firefox.exe"), upper->Id());
    EXPECT_FALSE(upper->EndsWithin(300));
    EXPECT_FALSE(chrome->EndsWithin(0));
}

TEST_F(BrowserProcesses, OperaLooksForExactlyOperaExe) {
    TOPeraExtensions adapter;
    const auto upper = Start(L"Opera.exe");
    const auto chrome = Start(L"chrome.exe");
    EXPECT_FALSE(adapter.IsBrowserRunning());
    adapter.CloseBrowser();
    EXPECT_FALSE(upper->EndsWithin(300));
    EXPECT_FALSE(chrome->EndsWithin(0));

    const auto opera = Start(L"opera.exe");
    EXPECT_TRUE(adapter.IsBrowserRunning());
    adapter.CloseBrowser();
    EXPECT_TRUE(opera->EndsWithin(10000));
    EXPECT_FALSE(adapter.IsBrowserRunning());
    EXPECT_FALSE(upper->EndsWithin(0));
    EXPECT_FALSE(chrome->EndsWithin(0));
}

}  // namespace
