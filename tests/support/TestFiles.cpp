#include "support/TestFiles.h"

#include <windows.h>
#include <shlobj.h>

#include <gtest/gtest.h>

#include <atomic>

#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

void WriteBytes(const std::wstring& path, const std::string& bytes) {
    const UniqueHandle file =
        AdoptHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(file) << "cannot create " << ToUtf8(path);
    DWORD written = 0;
    ASSERT_TRUE(WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr));
    ASSERT_EQ(written, bytes.size());
}

std::string ReadBytes(const std::wstring& path) {
    const UniqueHandle file = AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ,
                                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                                      OPEN_EXISTING, 0, nullptr));
    if (!file) return "(missing)";
    std::string bytes;
    char buffer[65536];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) bytes.append(buffer, read);
    return bytes;
}

bool PathExists(const std::wstring& path) { return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

void MakeFolders(const std::wstring& path) {
    std::wstring folder = path;
    while (!folder.empty() && folder.back() == L'\\') folder.pop_back();
    const int result = SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    ASSERT_TRUE(result == ERROR_SUCCESS || result == ERROR_ALREADY_EXISTS) << "cannot create " << ToUtf8(folder);
}

void RemoveTree(const std::wstring& path) {
    std::wstring target = path;
    while (!target.empty() && target.back() == L'\\') target.pop_back();
    const DWORD attributes = GetFileAttributesW(target.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES) return;
    SetFileAttributesW(target.c_str(), FILE_ATTRIBUTE_NORMAL);
    if (!(attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        DeleteFileW(target.c_str());
        return;
    }
    WIN32_FIND_DATAW found;
    const HANDLE first = FindFirstFileW((target + L"\\*").c_str(), &found);
    if (first != INVALID_HANDLE_VALUE) {
        const UniqueFindHandle find(first);
        do {
            const std::wstring name = found.cFileName;
            if (name != L"." && name != L"..") RemoveTree(target + L"\\" + name);
        } while (FindNextFileW(find.get(), &found));
    }
    RemoveDirectoryW(target.c_str());
}

std::wstring UniqueName(const wchar_t* stem) {
    static std::atomic<unsigned> serial{0};
    return std::wstring(stem) + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++serial);
}
