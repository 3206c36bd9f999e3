// Profiles as Firefox writes them today: "path" instead of "descriptor",
// texts in "defaultLocale" and a "locales" list, icons inside the add-on,
// built-in add-ons and themes beside the user's, and the start-up cache
// "addonStartup.json.lz4" that must go after every change.
#include <gtest/gtest.h>

#include <objidl.h>

#include <algorithm>
#include "platform/GdiplusInclude.h"

#include <optional>

#include "FirefoxTestFiles.h"
#include "ZipBuilder.h"
#include "browsers/CompareExtensions.h"
#include "browsers/IconDownload.h"
#include "gfx/PngPicture.h"
#include "browsers/firefox/FireFoxExtensions.h"
#include "platform/BrivoError.h"
#include "platform/Utf.h"
#include "support/AllocationFaults.h"

namespace {

// A PNG picture of size x size pixels, as bytes.
std::string PngBytes(int size) {
    EXPECT_TRUE(EnsureGdiplus());
    Gdiplus::Bitmap picture(size, size, PixelFormat32bppARGB);
    wchar_t temp[MAX_PATH] = {};
    GetTempPathW(MAX_PATH, temp);
    const std::wstring path = std::wstring(temp) + L"brivo-icon-" + std::to_wstring(GetCurrentProcessId()) + L".png";
    EXPECT_TRUE(SavePngFile(picture, path));
    std::string bytes = ReadBytes(path);
    DeleteFileW(path.c_str());
    return bytes;
}

class FirefoxToday : public ::testing::Test {
protected:
    void SetUp() override {
        MakeFolders(extensions);
        WriteBytes(xpi, BuildZip({{"manifest.json", "{}"},
                                  {"icons/probe-32.svg", "<svg/>"},
                                  {"icons/probe-48.png", PngBytes(48)},
                                  {"icons/probe-96.png", PngBytes(96)}}));
        MakeFolders(folderAddon + L"\\img");
        WriteBytes(folderAddon + L"\\img\\icon.png", PngBytes(32));
    }

    // extensions.json as Firefox 153 writes it (schema 37), shortened: the
    // user's two add-ons (not in list order), a theme of the user's, and what
    // comes with Firefox.
    std::string TodaysExtensionsJson(const std::wstring& xpiPath) const {
        return R"({"schemaVersion":37,"addons":[)"
               R"({"id":"unpacked@brivo.test","version":"2.0","type":"extension","location":"app-profile",)"
               R"("defaultLocale":{"name":"Unpacked Helper"},"active":false,"userDisabled":true,)"
               R"("icons":{"64":"/img/icon.png"},"path":)" + JsonLiteral(folderAddon) + "},"
               R"({"id":"probe@brivo.test","version":"1.0","type":"extension","location":"app-profile",)"
               R"("defaultLocale":{"name":"Brivo Probe","description":"Marks probe pages"},)"
               R"("locales":[{"name":"Brivo-Sonde","description":"Markiert Seiten","locales":["de"]}],)"
               R"("active":true,"userDisabled":false,"appDisabled":false,"signedState":0,)"
               R"("icons":{"32":"icons/probe-32.svg","48":"icons/probe-48.png","96":"icons/probe-96.png"},)"
               R"("path":)" + JsonLiteral(xpiPath) + "},"
               R"({"id":"night@brivo.test","type":"theme","location":"app-profile","defaultLocale":{"name":"Night"}},)"
               R"({"id":"formautofill@mozilla.org","type":"extension","location":"app-builtin-addons","defaultLocale":{"name":"Form Autofill"}},)"
               R"({"id":"default-theme@mozilla.org","type":"theme","location":"app-builtin","defaultLocale":{"name":"System theme"}},)"
               R"({"id":"doh-rollout@mozilla.org","type":"extension","location":"app-system-defaults","defaultLocale":{"name":"DoH Roll-Out"}}]})";
    }

    FirefoxSandbox sandbox;
    std::wstring profile = sandbox.MakeProfile();
    std::wstring prefs = profile + L"extensions.json";
    std::wstring cache = profile + L"addonStartup.json.lz4";
    std::wstring extensions = profile + L"extensions\\";
    std::wstring xpi = extensions + L"probe@brivo.test.xpi";
    std::wstring folderAddon = extensions + L"unpacked@brivo.test";
};

TEST_F(FirefoxToday, OnlyTheUsersAddonsAreListedWithPathTextsAndTheirOwnIcons) {
    WriteBytes(prefs, TodaysExtensionsJson(xpi));
    const TFireFoxExtensions firefox;
    EXPECT_EQ(RecordIds(firefox), (std::vector<std::wstring>{L"probe@brivo.test", L"unpacked@brivo.test", sandbox.PluginId()}));
    const TBrowserExtensionInfo* probe = FindRecord(firefox, L"probe@brivo.test");
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->Name, L"Brivo Probe");
    EXPECT_EQ(probe->Description, L"Marks probe pages");
    EXPECT_EQ(probe->FilePath, xpi);
    EXPECT_FALSE(probe->Disabled);
    ASSERT_TRUE(probe->Icon) << "read from the package";
    EXPECT_EQ(probe->Icon->GetWidth(), 48u) << "the SVG of size 32 is passed over";
    EXPECT_EQ(probe->IconUrl, L"icons/probe-48.png");

    const TBrowserExtensionInfo* unpacked = FindRecord(firefox, L"unpacked@brivo.test");
    ASSERT_TRUE(unpacked);
    EXPECT_TRUE(unpacked->Disabled);
    EXPECT_EQ(unpacked->FilePath, folderAddon);
    ASSERT_TRUE(unpacked->Icon) << "read from the folder";
    EXPECT_EQ(unpacked->Icon->GetWidth(), 32u);
    EXPECT_EQ(IconDownloadsRunning(), 0u) << "files of the add-on are never fetched";
}

TEST_F(FirefoxToday, AProfileWrittenElsewhereFindsItsAddonsInItsOwnExtensionsFolder) {
    // Written on another system, or before the profile was moved.
    WriteBytes(prefs, TodaysExtensionsJson(L"/home/user/.mozilla/firefox/abcd.default/extensions/probe@brivo.test.xpi"));
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* probe = FindRecord(firefox, L"probe@brivo.test");
    ASSERT_TRUE(probe);
    EXPECT_EQ(probe->FilePath, xpi);
    EXPECT_TRUE(probe->Icon);
    firefox.RemoveExtension(probe);
    EXPECT_FALSE(PathExists(xpi)) << "the package the profile keeps is what goes";
    EXPECT_EQ(ReadBytes(prefs).find("probe@brivo.test"), std::string::npos);
}

TEST_F(FirefoxToday, EveryChangeToExtensionsJsonRemovesTheStartupCacheAndNothingElse) {
    WriteBytes(prefs, TodaysExtensionsJson(xpi));
    const std::vector<std::wstring> others = {profile + L"addons.json.lz4", profile + L"addonStartup.json",
                                              profile + L"search.json.mozlz4"};
    for (const std::wstring& other : others) WriteBytes(other, "keep");
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* probe = FindRecord(firefox, L"probe@brivo.test");
    for (int i = 0; i < 2; ++i) {
        WriteBytes(cache, "mozLz40\0cache");
        firefox.ToggleExtension(probe);
        EXPECT_FALSE(PathExists(cache)) << "switch " << i;
        EXPECT_NE(ReadBytes(prefs).find(i == 0 ? R"("active":false)" : R"("active":true)"), std::string::npos);
    }
    EXPECT_NO_THROW(firefox.ToggleExtension(probe)) << "no cache is no error";
    WriteBytes(cache, "mozLz40\0cache");
    firefox.RemoveExtension(FindRecord(firefox, L"unpacked@brivo.test"));
    EXPECT_FALSE(PathExists(cache)) << "removal";
    EXPECT_FALSE(PathExists(folderAddon));
    for (const std::wstring& other : others) EXPECT_EQ(ReadBytes(other), "keep") << ToUtf8(other);
}

TEST_F(FirefoxToday, AStartupCacheThatCannotBeRemovedIsRaised) {
    WriteBytes(prefs, TodaysExtensionsJson(xpi));
    WriteBytes(cache, "mozLz40\0cache");
    TFireFoxExtensions firefox;
    TBrowserExtensionInfo* probe = FindRecord(firefox, L"probe@brivo.test");
    const LockedFile held(cache);
    ASSERT_TRUE(held.Locked());
    try {
        firefox.ToggleExtension(probe);
        ADD_FAILURE() << "no error raised";
    } catch (const BrivoError& error) {
        EXPECT_NE(std::string(error.what()).find("addonStartup.json.lz4: "), std::string::npos) << error.what();
    }
    EXPECT_NE(ReadBytes(prefs).find(R"("userDisabled":true)"), std::string::npos) << "written before";
}

TEST_F(FirefoxToday, AnAddonWhoseIconCannotBeReadIsListedWithoutOne) {
    WriteBytes(prefs, TodaysExtensionsJson(xpi));
    for (const std::string& package :
         {std::string("PK\x03\x04 damaged"), BuildZip({{"icons/probe-48.png", "not a picture"}}), std::string()}) {
        WriteBytes(xpi, package);
        const TFireFoxExtensions firefox;
        const TBrowserExtensionInfo* probe = FindRecord(firefox, L"probe@brivo.test");
        ASSERT_TRUE(probe);
        EXPECT_FALSE(probe->Icon);
        EXPECT_EQ(probe->IconUrl, L"icons/probe-32.svg") << "the 32 icon, as named";
        EXPECT_EQ(IconDownloadsRunning(), 0u) << "a file of the add-on is never fetched";
    }
    {
        const LockedFile held(xpi);
        ASSERT_TRUE(held.Locked());
        const TFireFoxExtensions firefox;
        EXPECT_EQ(firefox.GetExtensionCount(), 3) << "a package in use ends nothing but its icon";
        EXPECT_FALSE(FindRecord(firefox, L"probe@brivo.test")->Icon);
    }
}

TEST_F(FirefoxToday, RunningOutOfMemoryAnywhereWhileReadingRaisesNothingAndKeepsTheListSorted) {
    WriteBytes(prefs, TodaysExtensionsJson(xpi));
    for (long first = 1;; ++first) {
        std::optional<TFireFoxExtensions> firefox;
        bool escaped = false, refused = false;
        {
            const FailAllocationsFrom faults(first);
            try {
                firefox.emplace();
            } catch (...) {
                escaped = true;
            }
            refused = faults.Refused();
        }
        ASSERT_FALSE(escaped) << "allocation " << first;
        ASSERT_TRUE(firefox);
        for (int i = 1; i < firefox->GetExtensionCount(); ++i)
            ASSERT_LE(CompareExtensions(*firefox->GetExtension(i - 1), *firefox->GetExtension(i)), 0)
                << "allocation " << first << ", position " << i;
        if (!refused) {
            EXPECT_EQ(firefox->GetExtensionCount(), 3);
            EXPECT_GT(first, 20);
            break;
        }
    }
}

}  // namespace
