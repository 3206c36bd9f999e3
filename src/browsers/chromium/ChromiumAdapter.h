#pragma once
// What the Chrome-family and Opera adapters share: both keep their add-on
// state in a "Preferences" file beside an "Extensions\" folder, read it the
// same way and change it the same way. They differ only in where the profile
// is and in the browser's executable name.
#include <string>

#include "browsers/BrowserAppBase.h"

class TChromiumAdapter : public TBrowserAppBase {
public:
    // The browser's executable file name, matched exactly.
    std::wstring ExecutableName() const { return exeName_; }

    // Terminates every process with the executable name.
    void CloseBrowser() override;
    // True while a process with exactly the executable name exists.
    bool IsBrowserRunning() override;
    // An extension: its whole folder "Extensions\<Id>" is deleted, its
    // settings entry only when that worked, and the file the settings came
    // from is written back either way; the record is dropped only when the
    // folder went (false otherwise). A plug-in: its registry key is deleted,
    // no file is touched; a key that stays keeps its record (false). A record
    // stays when writing raised BrivoError. A record this adapter does not
    // own is left alone (false).
    bool RemoveExtension(TBrowserExtensionInfo* record) override;
    // Switches the extension's settings entry in the form it is written in
    // ("state" and "known_disabled", or the user's reason in
    // "disable_reasons") and writes the file the settings came from back;
    // raises BrivoError when the file cannot be written
    // (Disabled and the document in memory are switched by then). Records
    // without a settings entry (plug-ins) and records of other adapters are
    // left alone. Answers the record's Disabled afterwards.
    bool ToggleExtension(TBrowserExtensionInfo* record) override;

protected:
    // displayName and exeName are string literals, kept as they are.
    TChromiumAdapter(BrowserKind kind, const wchar_t* displayName, const wchar_t* exeName) noexcept;

    // Sets the names and reads the profile that findProfile names (a folder
    // ending in a backslash; empty for none). Raises nothing: a profile that
    // cannot be read, or not wholly (no memory left), gives fewer records or
    // none, still sorted.
    void ReadProfile(std::wstring (*findProfile)()) noexcept;

private:
    // "Preferences", or "Secure Preferences" when only that file has
    // extension settings (PrefsFileName then names it), the extensions and
    // the plug-ins, sorted. An unreadable or invalid "Preferences" leaves the
    // list empty, plug-ins included.
    void ReadProfileAt(const std::wstring& dataPath);
    // One record per entry of "Extensions\" that has a settings entry.
    void ScanExtensionSettings();
    // False when the extension's folder could not be deleted.
    bool RemoveExtensionEntry(const TBrowserExtensionInfo& record);
    bool Owns(const TBrowserExtensionInfo* record) const;
    std::wstring PrefsPath() const { return DataPath + PrefsFileName; }
    std::wstring ExtensionsFolder() const { return DataPath + L"Extensions\\"; }

    const wchar_t* displayName_;
    const wchar_t* exeName_;
};
