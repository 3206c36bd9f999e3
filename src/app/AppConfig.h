#pragma once
// The user's settings: one process-wide record, read once at start-up from
// "BrivoPM.ini" in the roaming application data folder "Brivo Plugin Manager"
// and written back whenever a setting changes and at shutdown.
#include <cstdint>
#include <optional>
#include <string>

// Where the main window was when the program last ended. Left and Top are
// screen pixels; Width and Height are design pixels (at 96 DPI), so the size
// follows the display's scale.
struct TWindowPlacement {
    int Left = 0;
    int Top = 0;
    int Width = 0;
    int Height = 0;
    // False when nothing (or nothing usable) was stored.
    bool Valid() const { return Width > 0 && Height > 0; }
};

struct TAppConfig {
    std::wstring Language;   // base name of a language file
    bool CheckNews = true;   // fetch news automatically
    bool AutoUpdate = true;  // look for a newer version automatically
    std::int32_t MSGID = 0;  // id of the last news message shown
    TWindowPlacement MainWindow;  // "WindowPos" and "WindowSize"
    // "PolicyNote": the user has been told once that a protected browser's
    // extension is switched through the browser's policy.
    bool PolicyNoteShown = false;
    // How much the change history keeps: the newest records up to this
    // count and this size (with the add-ons their removals saved). Read
    // from section General when present, never written.
    std::int32_t HistoryRecords = 200;     // "HistoryRecords"
    std::int32_t HistoryMegabytes = 1024;  // "HistoryMegabytes"
};

// Read and changed directly by the user-interface thread (the news check
// writes MSGID once its result reaches that thread).
extern TAppConfig AppConfig;

// <roaming application data>\Brivo Plugin Manager, no trailing backslash;
// empty when Windows names no such folder.
std::wstring SettingsFolder();
// SettingsFolder() + "\BrivoPM.ini".
std::wstring SettingsFilePath();

// Fills AppConfig. Without the settings folder nothing is read or created:
// news and update checks on, MSGID 0 and the language detected from the
// display language, as for an empty Language value.
void LoadSettings();
// Writes the four settings into section General, then the main window's
// placement when it is valid, creating the folder and the file when missing
// and keeping every other key and section. Failures are not reported; the
// settings of this run are then lost.
void SaveSettings();

// One key of another section of the settings file; nullopt when it (or the
// file) is missing.
std::optional<std::wstring> ReadSettingsText(const wchar_t* section, const std::wstring& key);
// Writes it at once, creating the folder and the file when missing; an empty
// text deletes the key. False when the file could not be written.
bool WriteSettingsText(const wchar_t* section, const std::wstring& key, const std::wstring& text);

// Tests keep their settings in a folder of their own; an empty path goes back
// to the real folder.
void SetSettingsFolderForTests(const std::wstring& folder);
