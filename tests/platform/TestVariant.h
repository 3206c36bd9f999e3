#pragma once
// The platform tests run under three program names, and Wine reports a
// different Windows version to each (see extra.cmake): test_platform.exe
// (Windows 7), test_platform_vista.exe and test_platform_win8.exe.
#include <windows.h>

#include <string>

#include "platform/SystemInfo.h"

enum class TestVariant { Windows7, Vista, Windows8 };

inline TestVariant CurrentTestVariant() {
    wchar_t path[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, path, MAX_PATH);
    std::wstring name(path);
    for (wchar_t& c : name) c = static_cast<wchar_t>(towlower(c));
    if (name.ends_with(L"_vista.exe")) return TestVariant::Vista;
    if (name.ends_with(L"_win8.exe")) return TestVariant::Windows8;
    return TestVariant::Windows7;
}

inline bool ReportsVersion(DWORD major, DWORD minor) {
    const OsVersion v = ReportedOsVersion();
    return v.major == major && v.minor == minor;
}

// For tests that only mean something on one Windows version: the variant run
// that should see it checks the version itself (WindowsVersion tests).
#define SKIP_UNLESS_VERSION(major, minor)                                              \
    do {                                                                               \
        if (!ReportsVersion(major, minor)) GTEST_SKIP() << "needs Windows " #major "." #minor; \
    } while (0)
