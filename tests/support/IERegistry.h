#pragma once
// Internet Explorer's add-on registrations made in the scratch registry, for
// every test that needs them. Class ids from NewClsid keep them apart from
// whatever the prefix holds.
#include <windows.h>
#include <gtest/gtest.h>

#include <string>

#include "platform/SystemInfo.h"
#include "support/ScratchRegistry.h"

constexpr REGSAM k64 = KEY_WOW64_64KEY;
constexpr REGSAM k32 = KEY_WOW64_32KEY;
constexpr REGSAM kShared = 0;  // HKCU\Software is shared by both views

inline const std::wstring kBho = L"SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects\\";
inline const std::wstring kToolbar = L"SOFTWARE\\Microsoft\\Internet Explorer\\Toolbar";
inline const std::wstring kButtons = L"SOFTWARE\\Microsoft\\Internet Explorer\\Extensions\\";
inline const std::wstring kMenu = L"SOFTWARE\\Microsoft\\Internet Explorer\\MenuExt\\";
inline const std::wstring kSettings = L"Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings\\";

// A class registration in one view: HKCR\CLSID for the 64-bit classes,
// HKCR\Wow6432Node\CLSID (opened in the 64-bit view) for the 32-bit ones. No
// InprocServer32 when dll is empty.
void RegisterIEClass(ScratchRegistry& registry, const std::wstring& clsid, bool native, const std::wstring& name,
                     const std::wstring& dll);
void RegisterIEHelper(ScratchRegistry& registry, const std::wstring& clsid, REGSAM view);
void RegisterIEToolbar(ScratchRegistry& registry, const std::wstring& clsid, REGSAM view);
void RegisterIEButton(ScratchRegistry& registry, const std::wstring& clsid, REGSAM view, const std::wstring& text,
                      const std::wstring& icon);
void RegisterIEMenuEntry(ScratchRegistry& registry, const std::wstring& text, const std::wstring& resource);
// The add-on's switch key, watched so that whatever the code creates there
// is removed again.
std::wstring WatchIESettings(ScratchRegistry& registry, const std::wstring& clsid);

// The fixture of the IE tests: a 64-bit prefix, and every key restored.
class IERegistryTest : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(IsWin64) << "these tests need the 64-bit Wine prefix"; }
    void TearDown() override { EXPECT_TRUE(registry.Restore()) << "a test key was left behind"; }

    void RegisterClass(const std::wstring& clsid, bool native, const std::wstring& name, const std::wstring& dll) {
        RegisterIEClass(registry, clsid, native, name, dll);
    }
    void RegisterBho(const std::wstring& clsid, REGSAM view) { RegisterIEHelper(registry, clsid, view); }
    void RegisterToolbar(const std::wstring& clsid, REGSAM view) { RegisterIEToolbar(registry, clsid, view); }
    void RegisterButton(const std::wstring& clsid, REGSAM view, const std::wstring& text, const std::wstring& icon) {
        RegisterIEButton(registry, clsid, view, text, icon);
    }
    void RegisterMenuEntry(const std::wstring& text, const std::wstring& resource) {
        RegisterIEMenuEntry(registry, text, resource);
    }
    std::wstring SettingsKey(const std::wstring& clsid) { return WatchIESettings(registry, clsid); }

    ScratchRegistry registry;
};
