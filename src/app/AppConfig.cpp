#include "app/AppConfig.h"

#include "app/LanguageChoice.h"
#include "app/ProfileInteger.h"
#include "platform/FileUtil.h"
#include "platform/PublicFuns.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

#include <windows.h>
#include <shlobj.h>

#include <algorithm>
#include <optional>

TAppConfig AppConfig;

namespace {

constexpr wchar_t kSection[] = L"General";
constexpr wchar_t kFolderName[] = L"Brivo Plugin Manager";
constexpr wchar_t kFileName[] = L"BrivoPM.ini";

std::wstring& TestFolder() {
    static std::wstring folder;
    return folder;
}

// The stored text, or nullopt when the key (or the file) is missing.
std::optional<std::wstring> ReadSectionText(const std::wstring& file, const wchar_t* section, const wchar_t* key) {
    // A default that no stored value can equal tells "missing" from "empty".
    static constexpr wchar_t kMissing[] = L"\x1F\x1E missing";
    std::wstring buffer(256, L'\0');
    for (;;) {
        const DWORD length = GetPrivateProfileStringW(section, key, kMissing, buffer.data(),
                                                      static_cast<DWORD>(buffer.size()), file.c_str());
        if (length + 1 < buffer.size() || buffer.size() >= 65536) {
            buffer.resize(length);
            break;
        }
        buffer.resize(buffer.size() * 4);  // truncated: try a larger buffer
    }
    if (buffer == kMissing) return std::nullopt;
    return buffer;
}

std::optional<std::wstring> ReadProfileText(const std::wstring& file, const wchar_t* key) {
    return ReadSectionText(file, kSection, key);
}

// Integers are parsed here rather than by GetPrivateProfileIntW, which
// knows no "0x" form and takes "12abc" as 12.
std::int32_t ReadProfileInteger(const std::wstring& file, const wchar_t* key, std::int32_t defaultValue) {
    const std::optional<std::wstring> text = ReadProfileText(file, key);
    if (!text) return defaultValue;
    return ParseProfileInteger(ToUtf8(*text)).value_or(defaultValue);
}

// "<x>,<y>"; nullopt when missing or not two integers.
std::optional<std::pair<std::int32_t, std::int32_t>> ReadProfilePair(const std::wstring& file, const wchar_t* key) {
    const std::optional<std::wstring> text = ReadProfileText(file, key);
    if (!text) return std::nullopt;
    return ParseProfileIntegerPair(ToUtf8(*text));
}

// The stored placement only when both keys are whole and the size is usable.
TWindowPlacement ReadWindowPlacement(const std::wstring& file) {
    const auto position = ReadProfilePair(file, L"WindowPos");
    const auto size = ReadProfilePair(file, L"WindowSize");
    if (!position || !size) return {};
    const TWindowPlacement placement{position->first, position->second, size->first, size->second};
    return placement.Valid() ? placement : TWindowPlacement{};
}

bool ReadProfileBool(const std::wstring& file, const wchar_t* key, bool defaultValue) {
    return ReadProfileInteger(file, key, defaultValue ? 1 : 0) != 0;
}

// WritePrivateProfileStringW makes a new file in the ANSI code page, which
// would turn a language name such as "Русский" into question marks on most
// systems. An empty UTF-16 file with a byte-order mark keeps every name.
void CreateUnicodeFileIfMissing(const std::wstring& path) {
    const UniqueHandle file = AdoptHandle(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return;  // exists already, or cannot be made: the writes below decide
    static constexpr unsigned char kBom[] = {0xFF, 0xFE};
    DWORD written = 0;
    WriteFile(file.get(), kBom, sizeof(kBom), &written, nullptr);
}

void WriteProfileText(const std::wstring& file, const wchar_t* key, const std::wstring& text) {
    WritePrivateProfileStringW(kSection, key, text.c_str(), file.c_str());
}

}  // namespace

std::wstring SettingsFolder() {
    if (!TestFolder().empty()) return TestFolder();
    const std::wstring appData = GetSpecialFolder(nullptr, CSIDL_APPDATA);
    if (appData.empty()) return {};
    return WithTrailingBackslash(appData) + kFolderName;
}

std::wstring SettingsFilePath() {
    const std::wstring folder = SettingsFolder();
    return folder.empty() ? std::wstring() : folder + L"\\" + kFileName;
}

void LoadSettings() {
    AppConfig = TAppConfig{};
    const std::wstring folder = SettingsFolder();
    if (folder.empty() || !FolderExists(folder)) {
        AppConfig.Language = DetectLanguage();
        return;
    }
    const std::wstring file = SettingsFilePath();
    AppConfig.Language = ReadProfileText(file, L"Language").value_or(L"");
    if (AppConfig.Language.empty()) AppConfig.Language = DetectLanguage();
    AppConfig.CheckNews = ReadProfileBool(file, L"CheckNews", true);
    AppConfig.AutoUpdate = ReadProfileBool(file, L"AutoUpdate", true);
    AppConfig.MSGID = ReadProfileInteger(file, L"MSGID", 0);
    AppConfig.MainWindow = ReadWindowPlacement(file);
    AppConfig.PolicyNoteShown = ReadProfileBool(file, L"PolicyNote", false);
    // A limit below one would keep nothing to undo.
    AppConfig.HistoryRecords = std::max<std::int32_t>(1, ReadProfileInteger(file, L"HistoryRecords", 200));
    AppConfig.HistoryMegabytes = std::max<std::int32_t>(1, ReadProfileInteger(file, L"HistoryMegabytes", 1024));
}

// The settings file, with its folder, made when missing; empty without a folder.
std::wstring PreparedSettingsFile() {
    const std::wstring folder = SettingsFolder();
    if (folder.empty()) return {};
    if (!FolderExists(folder)) SHCreateDirectoryExW(nullptr, folder.c_str(), nullptr);
    const std::wstring file = SettingsFilePath();
    CreateUnicodeFileIfMissing(file);
    return file;
}

void SaveSettings() {
    const std::wstring file = PreparedSettingsFile();
    if (file.empty()) return;
    WriteProfileText(file, L"Language", AppConfig.Language);
    WriteProfileText(file, L"CheckNews", AppConfig.CheckNews ? L"1" : L"0");
    WriteProfileText(file, L"AutoUpdate", AppConfig.AutoUpdate ? L"1" : L"0");
    WriteProfileText(file, L"MSGID", std::to_wstring(AppConfig.MSGID));
    if (const TWindowPlacement& window = AppConfig.MainWindow; window.Valid()) {
        WriteProfileText(file, L"WindowPos", std::to_wstring(window.Left) + L"," + std::to_wstring(window.Top));
        WriteProfileText(file, L"WindowSize", std::to_wstring(window.Width) + L"," + std::to_wstring(window.Height));
    }
    if (AppConfig.PolicyNoteShown) WriteProfileText(file, L"PolicyNote", L"1");
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());  // flush the profile cache
}

std::optional<std::wstring> ReadSettingsText(const wchar_t* section, const std::wstring& key) {
    const std::wstring file = SettingsFilePath();
    if (file.empty() || !FileExists(file)) return std::nullopt;
    return ReadSectionText(file, section, key.c_str());
}

bool WriteSettingsText(const wchar_t* section, const std::wstring& key, const std::wstring& text) {
    const std::wstring file = PreparedSettingsFile();
    if (file.empty()) return false;
    const BOOL written =
        WritePrivateProfileStringW(section, key.c_str(), text.empty() ? nullptr : text.c_str(), file.c_str());
    WritePrivateProfileStringW(nullptr, nullptr, nullptr, file.c_str());
    return written != FALSE;
}

void SetSettingsFolderForTests(const std::wstring& folder) {
    std::wstring trimmed = folder;
    while (trimmed.size() > 3 && trimmed.back() == L'\\') trimmed.pop_back();
    TestFolder() = trimmed;
}
