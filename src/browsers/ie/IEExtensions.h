#pragma once
// Internet Explorer as one browser of the list: its helper objects, toolbars
// (with the toolbar buttons and menu items) and context-menu entries, read
// from the registry by the scanner, which also carries out every change.
#include <memory>

#include "browsers/BrowserAppBase.h"
#include "browsers/ie/IESweeper.h"

class TIEExtensions : public TBrowserAppBase {
public:
    // Scans the registry and lists every add-on found, in list order. Internet
    // Explorer is always offered, so DataPath is never empty.
    TIEExtensions();
    ~TIEExtensions() override;

    // The program never closes Internet Explorer.
    void CloseBrowser() override;
    // True while any top-level "IEFrame" window exists.
    bool IsBrowserRunning() override;
    // Deletes the add-on's registration in the view it was found in and
    // destroys the record. When the registry refuses, the record stays
    // listed and the answer is false; so it is for a record this adapter
    // does not own, which is left alone.
    bool RemoveExtension(TBrowserExtensionInfo* record) override;
    // Switches a helper object, toolbar or button for the current user
    // through its Ext\Settings key and answers the record's new Disabled.
    // Context-menu entries have no switch; they and records this adapter does
    // not own stay as they are.
    bool ToggleExtension(TBrowserExtensionInfo* record) override;

    std::unique_ptr<TIESweeper> Sweeper;

private:
    bool Owns(const TBrowserExtensionInfo* record) const;
    // The first scanner entry with the record's id (case-sensitive), or null.
    const TPlugItem* FirstEntryWithId(const TBrowserExtensionInfo& record) const;
    // The entry the record was made from; the first entry with its id when
    // none matches all of its fields.
    const TPlugItem* SourceEntry(const TBrowserExtensionInfo& record) const;
};
