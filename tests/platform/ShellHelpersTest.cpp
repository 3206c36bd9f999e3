#include "platform/ShellHelpers.h"

#include <gtest/gtest.h>
#include <shlobj.h>

#include "TestVariant.h"
#include "platform/SystemInfo.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"
#include "platform/WowRedirection.h"

namespace {

bool Exists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void WriteFile(const std::wstring& path, const char* text = "x") {
    const UniqueHandle file =
        AdoptHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << "cannot create " << ToUtf8(path);
    DWORD written = 0;
    ASSERT_TRUE(::WriteFile(file.get(), text, static_cast<DWORD>(strlen(text)), &written, nullptr));
}

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

// A scratch folder of its own per test, removed again afterwards.
class ShellHelpers : public ::testing::Test {
protected:
    void SetUp() override {
        wchar_t temp[MAX_PATH] = {};
        ASSERT_NE(GetTempPathW(MAX_PATH, temp), 0u);
        folder_ = std::wstring(temp) + L"BrivoShellTest-" + std::to_wstring(GetCurrentProcessId());
        RemoveTree(folder_);
        ASSERT_TRUE(CreateDirectoryW(folder_.c_str(), nullptr));
    }
    void TearDown() override {
        RemoveTree(folder_);
        EXPECT_FALSE(Exists(folder_));
    }

    std::wstring In(const std::wstring& name) const { return folder_ + L"\\" + name; }

    static void RemoveTree(const std::wstring& path) {
        SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL);
        WIN32_FIND_DATAW found;
        const UniqueFindHandle find(FindFirstFileW((path + L"\\*").c_str(), &found));
        if (find.get() != INVALID_HANDLE_VALUE && find) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") continue;
                const std::wstring child = path + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(child);
                } else {
                    SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(child.c_str());
                }
            } while (FindNextFileW(find.get(), &found));
        }
        RemoveDirectoryW(path.c_str());
    }

    std::wstring folder_;
};

TEST_F(ShellHelpers, DeletingAFilePermanentlyOrToTheRecycleBin) {
    for (bool recycle : {false, true}) {
        const std::wstring file = In(recycle ? L"recycled.txt" : L"deleted.txt");
        WriteFile(file);
        ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                                         FILE_ATTRIBUTE_SYSTEM));
        EXPECT_TRUE(ShellDeletePath(file, recycle)) << (recycle ? "recycle" : "permanent");
        EXPECT_FALSE(Exists(file));
    }
}

TEST_F(ShellHelpers, DeletingAFolderTakesItsContentsAlong) {
    const std::wstring sub = In(L"addon");
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW((sub + L"\\inner").c_str(), nullptr));
    WriteFile(sub + L"\\inner\\manifest.json");
    ASSERT_TRUE(SetFileAttributesW((sub + L"\\inner\\manifest.json").c_str(), FILE_ATTRIBUTE_READONLY));
    EXPECT_TRUE(ShellDeletePath(sub, false));
    EXPECT_FALSE(Exists(sub));
    EXPECT_TRUE(Exists(folder_));
}

TEST_F(ShellHelpers, DeletingWhatIsNotThereAnswersFalse) {
    EXPECT_FALSE(ShellDeletePath(In(L"missing.txt"), false));
    EXPECT_FALSE(ShellDeletePath(In(L"missing.txt"), true));
    EXPECT_FALSE(ShellDeleteFolder(In(L"missing")));
    EXPECT_FALSE(ShellDeleteFolder(L""));
    EXPECT_FALSE(ShellDeleteFolder(L"  "));
    EXPECT_TRUE(Exists(folder_));
}

TEST_F(ShellHelpers, AFileHeldOpenWithoutSharingIsLockedAndStays) {
    const std::wstring file = In(L"locked.dll");
    WriteFile(file);
    ASSERT_TRUE(SetFileAttributesW(file.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    EXPECT_FALSE(IsFileLocked(file));
    {
        const UniqueHandle holder =
            AdoptHandle(CreateFileW(file.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_TRUE(IsFileLocked(file));
        EXPECT_FALSE(ShellDeletePath(file, false));
        EXPECT_FALSE(ShellDeletePath(file, true));
        EXPECT_TRUE(Exists(file));
        // The attributes cleared for the shell are back.
        EXPECT_EQ(GetFileAttributesW(file.c_str()) & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN),
                  static_cast<DWORD>(FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN));
    }
    EXPECT_FALSE(IsFileLocked(file));
    EXPECT_TRUE(ShellDeletePath(file, false));
    EXPECT_FALSE(Exists(file));
}

TEST_F(ShellHelpers, AFolderTheShellCannotDeleteWhollyKeepsItsAttributes) {
    const std::wstring sub = In(L"held addon");
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    const std::wstring inner = sub + L"\\addon.dll";
    WriteFile(inner);
    // (Wine keeps no read-only mark on a folder; hidden and system it keeps.)
    ASSERT_TRUE(SetFileAttributesW(sub.c_str(), FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    const DWORD marked = GetFileAttributesW(sub.c_str());
    ASSERT_EQ(marked & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM),
              static_cast<DWORD>(FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM));
    {
        const UniqueHandle holder =
            AdoptHandle(CreateFileW(inner.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr));
        ASSERT_TRUE(holder);
        EXPECT_FALSE(ShellDeletePath(sub, false));
        ASSERT_TRUE(Exists(inner));
        EXPECT_EQ(GetFileAttributesW(sub.c_str()), marked);
    }
    EXPECT_TRUE(ShellDeletePath(sub, false));
    EXPECT_FALSE(Exists(sub));
}

TEST_F(ShellHelpers, LockTestsOnlyFilesThatExist) {
    EXPECT_FALSE(IsFileLocked(In(L"missing.txt")));
    EXPECT_FALSE(IsFileLocked(folder_));
    // Shared reading still leaves no room for an exclusive open.
    const std::wstring file = In(L"shared.txt");
    WriteFile(file);
    const UniqueHandle reader = AdoptHandle(
        CreateFileW(file.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr));
    ASSERT_TRUE(reader);
    EXPECT_TRUE(IsFileLocked(file));
}

TEST_F(ShellHelpers, DeletingAFolderPermanently) {
    const std::wstring sub = In(L"cache");
    ASSERT_TRUE(CreateDirectoryW(sub.c_str(), nullptr));
    WriteFile(sub + L"\\a.png");
    ASSERT_TRUE(CreateDirectoryW((sub + L"\\deeper").c_str(), nullptr));
    WriteFile(sub + L"\\deeper\\b.png");
    EXPECT_TRUE(ShellDeleteFolder(sub));
    EXPECT_FALSE(Exists(sub));
    EXPECT_TRUE(Exists(folder_));
}

TEST_F(ShellHelpers, PathsWithoutExtensionAreProbedWithProgramExtensions) {
    WriteFile(In(L"tool.exe"));
    WriteFile(In(L"script.cmd"));
    WriteFile(In(L"library.dll"));
    EXPECT_TRUE(PathExistsAnyView(In(L"tool")));
    EXPECT_TRUE(PathExistsAnyView(In(L"script")));
    EXPECT_TRUE(PathExistsAnyView(In(L"library")));
    EXPECT_TRUE(PathExistsAnyView(In(L"tool.exe")));
    EXPECT_TRUE(PathExistsAnyView(folder_));
    EXPECT_FALSE(PathExistsAnyView(In(L"nothing")));
    // A missing path with an extension is not tried with other extensions.
    EXPECT_FALSE(PathExistsAnyView(In(L"tool.txt")));
    EXPECT_FALSE(PathExistsAnyView(L""));
}

// Files placed in the real system folders, each in one only: the 64-bit
// system32 (hidden from a 32-bit program by redirection) and syswow64.
class RedirectedFiles : public ::testing::Test {
protected:
    void SetUp() override {
        if (Is64BitProcess) GTEST_SKIP() << "a 64-bit process sees no file-system redirection";
        ASSERT_TRUE(IsWin64);
        wchar_t windows[MAX_PATH] = {};
        ASSERT_NE(GetWindowsDirectoryW(windows, MAX_PATH), 0u);
        const std::wstring tag = L"brivo-view-" + std::to_wstring(GetCurrentProcessId());
        nativeOnly_ = std::wstring(windows) + L"\\System32\\" + tag + L"-native.dat";
        wowOnly_ = std::wstring(windows) + L"\\SysWOW64\\" + tag + L"-wow.dat";
        nativeProgram_ = std::wstring(windows) + L"\\System32\\" + tag + L"-tool";
        {
            const WowRedirectionOff off;
            WriteFile(nativeOnly_);
            WriteFile(nativeProgram_ + L".com");
        }
        WriteFile(wowOnly_);
    }
    void TearDown() override {
        {
            const WowRedirectionOff off;
            DeleteFileW(nativeOnly_.c_str());
            DeleteFileW((nativeProgram_ + L".com").c_str());
        }
        DeleteFileW(wowOnly_.c_str());
    }
    std::wstring nativeOnly_, wowOnly_, nativeProgram_;
};

TEST_F(RedirectedFiles, AreFoundPastRedirection) {
    // As this program sees it, the native file is not there...
    ASSERT_FALSE(Exists(nativeOnly_));
    ASSERT_TRUE(Exists(wowOnly_));
    // ... but the helper looks past redirection as well.
    EXPECT_TRUE(PathExistsAnyView(nativeOnly_));
    EXPECT_TRUE(PathExistsAnyView(wowOnly_));
    EXPECT_TRUE(PathExistsAnyView(nativeProgram_));
    // Redirection is back on afterwards.
    EXPECT_FALSE(Exists(nativeOnly_));
}

TEST_F(RedirectedFiles, SwitchingRedirectionOffAndOnNests) {
    DisableWowRedirection();
    EXPECT_TRUE(Exists(nativeOnly_));
    DisableWowRedirection();
    RevertWowRedirection();
    EXPECT_TRUE(Exists(nativeOnly_)) << "the inner switch-on must not end the outer switch-off";
    RevertWowRedirection();
    EXPECT_FALSE(Exists(nativeOnly_));
    RevertWowRedirection();  // unpaired: nothing happens
    EXPECT_FALSE(Exists(nativeOnly_));
}

TEST(SpecialFolders, AreTheShellsFoldersWithoutTrailingBackslash) {
    const std::wstring appData = GetSpecialFolder(GetDesktopWindow(), CSIDL_APPDATA);
    const wchar_t* expected = _wgetenv(L"APPDATA");
    ASSERT_NE(expected, nullptr);
    EXPECT_EQ(Lower(appData), Lower(expected));
    EXPECT_EQ(Lower(GetSpecialFolder(nullptr, CSIDL_PROGRAM_FILES)),
              Is64BitProcess ? L"c:\\program files" : L"c:\\program files (x86)");
    EXPECT_FALSE(GetSpecialFolder(nullptr, CSIDL_LOCAL_APPDATA).empty());
    EXPECT_EQ(GetSpecialFolder(reinterpret_cast<HWND>(-1), CSIDL_APPDATA), L"");
    // A virtual folder has no path.
    EXPECT_EQ(GetSpecialFolder(nullptr, CSIDL_DRIVES), L"");
}

TEST(SpecialFolders, TrailingBackslashIsAddedOnce) {
    EXPECT_EQ(WithTrailingBackslash(L""), L"");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\Temp"), L"C:\\Temp\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:\\Temp\\"), L"C:\\Temp\\");
    EXPECT_EQ(WithTrailingBackslash(L"C:/Temp/"), L"C:/Temp/\\");
}

LRESULT CALLBACK PlainWindowProc(HWND window, UINT message, WPARAM w, LPARAM l) {
    return DefWindowProcW(window, message, w, l);
}

TEST(InternetExplorer, CountsAsRunningWhileAnIEFrameWindowExists) {
    ASSERT_FALSE(IsIERunning()) << "an IEFrame window is already open";
    WNDCLASSW windowClass = {};
    windowClass.lpfnWndProc = PlainWindowProc;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"IEFrame";
    ASSERT_NE(RegisterClassW(&windowClass), 0);
    HWND window = CreateWindowExW(0, L"IEFrame", L"fake browser", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100, nullptr,
                                  nullptr, windowClass.hInstance, nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(IsIERunning());
    DestroyWindow(window);
    EXPECT_FALSE(IsIERunning());
    UnregisterClassW(L"IEFrame", windowClass.hInstance);
}

TEST(WebAddresses, BlankAddressesOpenNothing) {
    EXPECT_FALSE(UrlOpenRequest(L"", false));
    EXPECT_FALSE(UrlOpenRequest(L"   ", true));
    EXPECT_FALSE(UrlOpenRequest(L"\t", false));
    OpenUrl(nullptr, L"  ");  // must return without asking the shell
}

TEST(WebAddresses, OnWindows8WebAddressesGoToInternetExplorer) {
    const auto web = UrlOpenRequest(L"https://example.org/Page", true);
    ASSERT_TRUE(web);
    EXPECT_EQ(web->file, L"IExplore.EXE");
    EXPECT_EQ(web->parameters, L"https://example.org/Page");
    const auto upper = UrlOpenRequest(L" HTTP://example.org ", true);
    ASSERT_TRUE(upper);
    EXPECT_EQ(upper->file, L"IExplore.EXE");
    EXPECT_EQ(upper->parameters, L" HTTP://example.org ") << "the address is passed untrimmed";
    const auto mail = UrlOpenRequest(L"mailto:support@example.org", true);
    ASSERT_TRUE(mail);
    EXPECT_EQ(mail->file, L"mailto:support@example.org");
    EXPECT_EQ(mail->parameters, L"");
}

TEST(WebAddresses, ElsewhereTheShellOpensTheAddressItself) {
    const auto web = UrlOpenRequest(L"http://example.org", false);
    ASSERT_TRUE(web);
    EXPECT_EQ(web->file, L"http://example.org");
    EXPECT_EQ(web->parameters, L"");
}

// OpenUrl takes the Windows version from the system on every call: each
// program-name variant sees its own.
TEST(WebAddresses, TheDecisionFollowsTheReportedWindowsVersion) {
    EXPECT_EQ(IsWindows8(), CurrentTestVariant() == TestVariant::Windows8);
    const auto request = UrlOpenRequest(L"http://example.org", IsWindows8());
    ASSERT_TRUE(request);
    EXPECT_EQ(request->file == L"IExplore.EXE", CurrentTestVariant() == TestVariant::Windows8);
}

}  // namespace
