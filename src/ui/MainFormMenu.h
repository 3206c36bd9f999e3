#pragma once
// The main window's menu: the maker's pages (online help on F1, forum,
// home page, contact page), the automatic update and news checks switched on
// and off, the language list and the about box. It is built again each time
// the main window is translated, so its texts, check marks and languages
// follow the active language and the settings; each build also starts the
// automatic checks that are switched on.
//
// Other windows may add an item of their own (AddExtraItem); such items
// stand after "Language", before the separator above "About".
#include <windows.h>

#include <functional>
#include <string>
#include <vector>

class TOrixMenuItem;
class TOrixPopupMenu;

class TMainFormMenu {
public:
    // Item numbers (Tags) of the eight items.
    enum ItemTag : int {
        OnlineHelp = 1,
        Forum = 2,
        Homepage = 3,
        ContactUs = 4,
        CheckForUpdates = 5,
        CheckForNews = 6,
        Language = 7,
        About = 8,
    };
    // Tags of added items count from here, in the order they were added.
    static constexpr int kFirstExtraTag = 100;

    // The one instance, made on first use.
    static TMainFormMenu& Instance();

    // Fills the menu (the main window's sysMenu) anew.
    void Build(TOrixPopupMenu& menu);

    // The click handler of the eight items, by Tag.
    void MenuItemClick(TOrixMenuItem& item);
    // The click handler of the language items: switches to the item's
    // language (its Value) when it shows its check mark after the click.
    void LanguageItemClick(TOrixMenuItem& item);

    // An item that another window adds: its caption comes from section
    // "Translation" under captionKey (defaultCaption when the language has
    // none); onClick runs when it is chosen. Shown from the next build on.
    void AddExtraItem(std::wstring captionKey, std::wstring defaultCaption, std::function<void()> onClick);

    // The item of the menu whose shortcut text is `shortCut` ("F1"), or
    // nullptr.
    static TOrixMenuItem* FindShortCut(TOrixPopupMenu& menu, const std::wstring& shortCut);

private:
    struct TExtraItem {
        std::wstring captionKey;
        std::wstring defaultCaption;
        std::function<void()> onClick;
    };

    void ShowAbout();
    HWND OwnerWindow() const;

    std::vector<TExtraItem> extraItems_;
    // The menu of the last build; its form owns the pages opened and the
    // about box.
    TOrixPopupMenu* menu_ = nullptr;
};
