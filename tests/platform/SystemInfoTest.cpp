#include "platform/SystemInfo.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "TestVariant.h"

namespace {

std::wstring Lower(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(towlower(c));
    return text;
}

}  // namespace

TEST(StartupValues, Describe64BitWindowsToBothBuilds) {
    BOOL wow64 = FALSE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &wow64));
    // The test bed is a 64-bit Wine prefix: the 32-bit build runs under WOW64,
    // the 64-bit one natively; both must know they are on 64-bit Windows and
    // look for 32-bit installs in the same Program Files folder.
    EXPECT_EQ(wow64 != FALSE, !Is64BitProcess);
    EXPECT_TRUE(IsWin64);
    EXPECT_EQ(Lower(ProgramFilesDir), L"c:\\program files (x86)\\");
    const wchar_t* appData = _wgetenv(L"APPDATA");
    ASSERT_NE(appData, nullptr);
    EXPECT_EQ(Lower(AppDataDir), Lower(std::wstring(appData) + L"\\"));
    EXPECT_EQ(DesktopWindow, GetDesktopWindow());
}

TEST(StartupValues, RecomputingThemGivesTheSameValues) {
    const std::wstring programFiles = ProgramFilesDir;
    const std::wstring appData = AppDataDir;
    InitPublicFuns();
    EXPECT_TRUE(IsWin64);
    EXPECT_EQ(ProgramFilesDir, programFiles);
    EXPECT_EQ(AppDataDir, appData);
}

TEST(WindowsVersion, Windows8MeansExactly62Or63) {
    EXPECT_FALSE(IsWindows8Version({6, 1}));
    EXPECT_TRUE(IsWindows8Version({6, 2}));
    EXPECT_TRUE(IsWindows8Version({6, 3}));
    EXPECT_TRUE(IsWindows8Version({6, 4}));
    EXPECT_FALSE(IsWindows8Version({10, 0}));
    EXPECT_FALSE(IsWindows8Version({5, 2}));
}

TEST(WindowsVersion, LegacyWow64IsVistaOrXp64On64BitWindowsOnly) {
    EXPECT_TRUE(IsLegacyWow64Version(true, {6, 0}));
    EXPECT_TRUE(IsLegacyWow64Version(true, {5, 2}));
    EXPECT_FALSE(IsLegacyWow64Version(false, {6, 0}));
    EXPECT_FALSE(IsLegacyWow64Version(true, {6, 1}));
    EXPECT_FALSE(IsLegacyWow64Version(true, {5, 1}));
    EXPECT_FALSE(IsLegacyWow64Version(true, {6, 2}));
}

// Each program name must really see its version, so that a variant whose
// override is missing fails here instead of skipping everything it should test.
TEST(WindowsVersion, NormalRunReportsWindows7) {
    if (CurrentTestVariant() != TestVariant::Windows7) GTEST_SKIP() << "a version variant";
    ASSERT_TRUE(ReportsVersion(6, 1));
    EXPECT_FALSE(IsWindows8());
    EXPECT_FALSE(IsLegacyWow64());
}

TEST(WindowsVersion, VistaVariantReportsVista) {
    if (CurrentTestVariant() != TestVariant::Vista) GTEST_SKIP() << "not the Vista variant";
    ASSERT_TRUE(ReportsVersion(6, 0)) << "Wine's version override for this program is missing";
    EXPECT_TRUE(IsLegacyWow64());
    EXPECT_FALSE(IsWindows8());
}

TEST(WindowsVersion, Win8VariantReportsWin8) {
    if (CurrentTestVariant() != TestVariant::Windows8) GTEST_SKIP() << "not the Win8 variant";
    ASSERT_TRUE(ReportsVersion(6, 2)) << "Wine's version override for this program is missing";
    EXPECT_TRUE(IsWindows8());
    EXPECT_FALSE(IsLegacyWow64());
}
