#pragma once
// Scratch folders and files for the application-shell tests under Wine.
#include <windows.h>

#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

#include <filesystem>
#include <string>

// A fresh folder under %TEMP%, removed with everything in it at the end.
class ScratchFolder {
public:
    ScratchFolder() {
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        static unsigned counter = 0;
        path_ = std::wstring(temp) + L"brivo-app-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter);
        std::filesystem::remove_all(path_);
        std::filesystem::create_directories(path_);
    }
    ~ScratchFolder() {
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    // No trailing backslash.
    const std::wstring& Path() const { return path_; }
    std::wstring operator/(const std::wstring& name) const { return path_ + L"\\" + name; }

private:
    std::wstring path_;
};

// Win32 file calls throughout: the C++ streams of the MinGW runtime go
// through the ANSI code page for file names, which cannot name "Русский.ini"
// on a Western system.
inline void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    const UniqueHandle file = AdoptHandle(
        CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    DWORD written = 0;
    if (file) WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

inline std::string ReadFileBytes(const std::wstring& path) {
    const UniqueHandle file = AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                                                      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
    std::string bytes;
    if (!file) return bytes;
    char buffer[4096];
    DWORD got = 0;
    while (ReadFile(file.get(), buffer, sizeof(buffer), &got, nullptr) && got > 0) bytes.append(buffer, got);
    return bytes;
}

// UTF-8 text as UTF-16 LE with a byte-order mark, the form the build installs.
inline std::string Utf16LeFileBytes(const std::string& utf8) {
    const std::wstring wide = ToWide(utf8);
    std::string bytes = "\xFF\xFE";
    for (wchar_t unit : wide) {
        bytes += static_cast<char>(unit & 0xFF);
        bytes += static_cast<char>((unit >> 8) & 0xFF);
    }
    return bytes;
}

inline void WriteUtf16LeFile(const std::wstring& path, const std::string& utf8) {
    WriteFileBytes(path, Utf16LeFileBytes(utf8));
}

// The settings file as text, whatever encoding the profile functions chose.
inline std::wstring ReadProfileFileText(const std::wstring& path) {
    const std::string bytes = ReadFileBytes(path);
    if (bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0xFF &&
        static_cast<unsigned char>(bytes[1]) == 0xFE) {
        return std::wstring(reinterpret_cast<const wchar_t*>(bytes.data() + 2), (bytes.size() - 2) / 2);
    }
    return ToWide(bytes);
}

inline std::wstring EnvironmentText(const wchar_t* name) {
    wchar_t buffer[256] = {};
    const DWORD length = GetEnvironmentVariableW(name, buffer, 256);
    return length > 0 && length < 256 ? std::wstring(buffer, length) : std::wstring();
}

// Holds a file open without sharing, as another program might.
class FileHeldOpen {
public:
    explicit FileHeldOpen(const std::wstring& path)
        : handle_(AdoptHandle(CreateFileW(path.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr))) {}
    bool Held() const { return handle_ != nullptr; }

private:
    UniqueHandle handle_;
};
