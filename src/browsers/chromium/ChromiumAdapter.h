#pragma once
// What the adapters of the browsers built on Chromium share (the Chrome
// family, Edge, Brave, Vivaldi, Opera): each keeps its add-on state in a
// profile's "Preferences" file beside an "Extensions\" folder, read and
// changed the same way. They differ only in where the profile is and in the
// browser's names and executable (its BrowserFacts).
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "browsers/BrowserAppBase.h"
#include "browsers/BrowserProfile.h"
#include "browsers/chromium/ExtensionPolicy.h"

class TChromiumAdapter : public TBrowserAppBase {
public:
    // The browser's executable file name, matched exactly.
    std::wstring ExecutableName() const { return exeName_; }

    // Terminates every process with the executable name.
    void CloseBrowser() override;
    // True while a process with exactly the executable name exists.
    bool IsBrowserRunning() override;
    // An extension: its whole folder "Extensions\<Id>" is deleted (or
    // handed to SetAside), its settings entry only when that worked, and the
    // file the settings came from is written back either way; the record is
    // dropped only when the folder went (false otherwise). A plug-in: its registry key is deleted,
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
    //
    // A record ManagedByPolicy (its entry protected by a code in "Secure
    // Preferences") is switched through the browser's blocklist instead and
    // its file is never written: off adds the id, on takes the program's own
    // entry away again. On is refused with BrivoError, nothing changed, when
    // someone else's entry blocks the id or the browser itself keeps the
    // extension off; a policy that cannot be written raises BrivoError too.
    bool ToggleExtension(TBrowserExtensionInfo* record) override;

    // The browser's policy when it documents one; none otherwise.
    const TExtensionPolicy* Policy() const { return policy_ ? &*policy_ : nullptr; }
    // Protected extensions of this profile that the policy marks "removed":
    // the browser uninstalls them at its next start, so they are not listed.
    const std::vector<std::wstring>& PendingRemovals() const { return pendingRemovals_; }

protected:
    // Kind, names and executable from the browser's facts.
    explicit TChromiumAdapter(BrowserId browser) noexcept;

    // Sets the names and reads the profile that findProfile gives (none: the
    // browser was not found). Raises nothing: a profile that cannot be read,
    // or not wholly (no memory left), gives fewer records or none, still
    // sorted.
    void ReadProfile(const std::function<std::optional<TBrowserProfile>()>& findProfile) noexcept;

private:
    // "Preferences", or "Secure Preferences" when only that file has
    // extension settings or there is no "Preferences" (PrefsFileName then
    // names it), the extensions and the plug-ins, sorted. An unreadable or
    // invalid settings file leaves the list empty, plug-ins included.
    void ReadProfileAt(const TBrowserProfile& profile);
    // One record per entry of "Extensions\" that has a settings entry.
    void ScanExtensionSettings();
    // False when the extension's folder could not be deleted.
    bool RemoveExtensionEntry(const TBrowserExtensionInfo& record);
    // The policy routes; raise BrivoError as ToggleExtension says.
    void TogglePolicyBlock(TBrowserExtensionInfo& record);
    bool RemoveByPolicy(const TBrowserExtensionInfo& record);
    // What the settings file says, the policy left aside.
    bool DisabledInFile(const TBrowserExtensionInfo& record) const;
    bool Owns(const TBrowserExtensionInfo* record) const;
    std::wstring PrefsPath() const { return DataPath + PrefsFileName; }
    std::wstring ExtensionsFolder() const { return DataPath + L"Extensions\\"; }

    std::wstring exeName_;
    std::optional<TExtensionPolicy> policy_;
    std::vector<std::wstring> pendingRemovals_;
};
