#include "browsers/firefox/FirefoxProfile.h"

#include <windows.h>

#include <algorithm>
#include <vector>

std::wstring FirefoxFolder(const std::wstring& roamingAppData) {
    if (roamingAppData.empty()) return {};
    return roamingAppData + L"\\Mozilla\\Firefox\\";
}

std::wstring FirefoxProfileFolder(const std::wstring& firefoxFolder) {
    const std::wstring ini = firefoxFolder + L"profiles.ini";
    // The profile functions cut a value that does not fit; grow until it does.
    std::vector<wchar_t> buffer(MAX_PATH);
    DWORD length = 0;
    for (;;) {
        length = GetPrivateProfileStringW(L"Profile0", L"Path", L"", buffer.data(), static_cast<DWORD>(buffer.size()),
                                          ini.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= 32768) break;
        buffer.resize(buffer.size() * 4);
    }
    std::wstring value(buffer.data(), length);
    std::replace(value.begin(), value.end(), L'/', L'\\');
    return firefoxFolder + value + L"\\";
}
