#pragma once
// One browser: its add-on records, read when the adapter is made, and the
// commands that change them in the browser's own configuration. The windows
// work only through these fields and the virtual operations.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "browsers/BrowserExtensionInfo.h"
#include "browsers/BrowserId.h"
#include "browsers/BrowserKind.h"
#include "browsers/BrowserRegistration.h"
#include "platform/UniqueHandles.h"

class JsonDocument;

class TBrowserAppBase {
public:
    TBrowserAppBase(const TBrowserAppBase&) = delete;
    TBrowserAppBase& operator=(const TBrowserAppBase&) = delete;
    virtual ~TBrowserAppBase();

    // Null when index is negative or not below the count.
    virtual TBrowserExtensionInfo* GetExtension(int index) const;
    virtual int GetExtensionCount() const;
    // Ends the browser's running processes.
    virtual void CloseBrowser() = 0;
    // The main window refuses to change add-ons while this is true.
    virtual bool IsBrowserRunning() = 0;
    // Removes the add-on from the browser, takes the record out of
    // Extensions and destroys it; the caller must not use it afterwards.
    // False when the add-on was not removed: the record then stays listed.
    virtual bool RemoveExtension(TBrowserExtensionInfo* record) = 0;
    // Switches the add-on off when it is on and on when it is off, flips
    // Disabled and answers the new value.
    virtual bool ToggleExtension(TBrowserExtensionInfo* record) = 0;

    // The folder of the browser's add-on data, with a trailing backslash;
    // empty when the browser was not found.
    std::wstring DataPath;
    BrowserKind Kind = BrowserKind::None;
    std::wstring Description;
    std::wstring DisplayName;
    UniqueIcon IconHandle;
    std::wstring OpenCommand;
    // Set once the rating request for these add-ons has been started.
    bool RatingsRequested = false;
    // The add-on data file inside DataPath; empty for IE.
    std::wstring PrefsFileName;
    // The parsed PrefsFileName, kept for later changes.
    std::unique_ptr<JsonDocument> PrefsDocument;
    // Kept in CompareExtensions order once the adapter is made.
    std::vector<std::unique_ptr<TBrowserExtensionInfo>> Extensions;
    std::wstring ReinstallCommand;

    // Which browser of its family this adapter reads: names, executable and
    // registrations come from its facts.
    BrowserId Browser = BrowserId::None;
    // The one profile this adapter reads (see TBrowserProfile); both empty
    // when the browser has none, or keeps no profiles (Internet Explorer).
    std::wstring ProfileFolder;
    std::wstring ProfileName;
    // Filled by LoadStartMenuInfo.
    TBrowserRegistration Registration;

    // While set, a removal hands each folder or file it would delete to this
    // instead (the change journal moves it away, keeping it): true when it
    // is gone from its place, false when it stayed, as for a failed delete.
    std::function<bool(const std::wstring& path)> SetAside;
    // While set, a removal calls this before it deletes a registry key with
    // everything below it (valueName none) or one value, in the view the
    // deletion uses: the change journal records them as they are. When it
    // raises BrivoError nothing is deleted.
    std::function<void(HKEY root, const std::wstring& path, const std::wstring* valueName)> BeforeRegistryDelete;

protected:
    TBrowserAppBase();

    // Brings Extensions into list order; subclass constructors call it last.
    void SortExtensions();
    // Destroys the record if this adapter owns it; false when it does not.
    bool DestroyExtension(const TBrowserExtensionInfo* record);
};

// Which add-ons can be switched off and on: everything except Internet
// Explorer's context-menu entries and the plug-ins of the other browsers,
// whose configuration has no switch the program could write.
bool HasAddonSwitch(BrowserKind browser, AddonKind kind);
