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
    const std::wstring& ExecutableName() const { return exeName_; }

    // Terminates every process with the executable name.
    void CloseBrowser() override;
    // True while a process with exactly the executable name exists.
    bool IsBrowserRunning() override;
    // An extension: its whole folder "Extensions\<Id>" is deleted, its
    // settings entry only when that worked, and "Preferences" is written back
    // either way. A plug-in: its registry key is deleted and "Preferences" is
    // not touched; a key that stays keeps its record (false). The record is
    // then dropped, unless writing raised BrivoError. A record this adapter
    // does not own is left alone (false).
    bool RemoveExtension(TBrowserExtensionInfo* record) override;
    // Flips "state" and "known_disabled" for the extension and writes
    // "Preferences" back; raises BrivoError when the file cannot be written
    // (Disabled and the document in memory are switched by then). Records
    // without a settings entry (plug-ins) and records of other adapters are
    // left alone. Answers the record's Disabled afterwards.
    bool ToggleExtension(TBrowserExtensionInfo* record) override;

protected:
    TChromiumAdapter(BrowserKind kind, const wchar_t* displayName, const wchar_t* exeName);

    // Reads the profile at dataPath (ending in a backslash): "Preferences",
    // the extensions and the plug-ins, sorted. An unreadable or invalid file
    // leaves the list empty, plug-ins included. Reports nothing.
    void ReadProfile(const std::wstring& dataPath);

private:
    // One record per entry of "Extensions\" that has a settings entry.
    void ScanExtensionSettings();
    void RemoveExtensionEntry(const TBrowserExtensionInfo& record);
    bool Owns(const TBrowserExtensionInfo* record) const;
    std::wstring PrefsPath() const { return DataPath + PrefsFileName; }
    std::wstring ExtensionsFolder() const { return DataPath + L"Extensions\\"; }

    std::wstring exeName_;
};
