#pragma once
// A skinned pop-up menu: items 25 design pixels high with check marks,
// radio items, separators, shortcut texts and one level of sub-menus,
// driven by the mouse and the keyboard (arrows, Home, End, Enter, Space,
// Escape, access keys). A component of its form; its windows exist only
// while it is shown.
#include <memory>
#include <vector>

#include "ui/toolkit/OrixComponent.h"
#include "ui/toolkit/OrixFont.h"
#include "ui/toolkit/OrixMenuItem.h"
#include "ui/toolkit/OrixStrip.h"

class TOrixMenuWindow;

class TOrixPopupMenu : public TOrixComponent {
public:
    struct CreateArgs {
        std::wstring name;
        int itemHeight = 25;  // design pixels
    };

    TOrixPopupMenu();
    ~TOrixPopupMenu() override;
    bool Create(const CreateArgs& args);

    TOrixMenuItem& Items() { return items_; }

    TOrixFont Font;
    int ItemHeight = 25;
    int SeparatorHeight = 7;
    COLORREF Color = RGB(0xFF, 0xFF, 0xFF);
    COLORREF BorderColor = RGB(0xC8, 0xC8, 0xC8);
    COLORREF HotColor = RGB(0xD6, 0xEC, 0xFB);
    COLORREF DisabledColor = RGB(0xA0, 0xA0, 0xA0);
    COLORREF SeparatorColor = RGB(0xE2, 0xE2, 0xE2);
    TOrixStrip CheckMark;     // drawn for checked items when given
    TOrixStrip RadioMark;
    TOrixStrip SubMenuArrow;

    // Shows the menu with its top-left corner at the screen point (moved
    // onto the monitor when needed) and returns when it closes: true when
    // an item was chosen. The item's OnClick runs after the menu is gone.
    bool Popup(int x, int y);
    bool IsOpen() const { return open_; }
    // Closes an open menu without a choice.
    void Cancel() { done_ = true; }
    // The open menu levels (1 or 2) and the highlighted position in each.
    int OpenLevels() const { return static_cast<int>(levels_.size()); }
    int HotIndex(int level) const;
    HWND LevelWindow(int level) const;

    std::function<void(TOrixPopupMenu&)> OnShown;
    // When set, runs for a chosen item instead of the item's own OnClick.
    std::function<void(TOrixPopupMenu&, TOrixMenuItem&)> OnItemClick;

    // From the menu windows.
    void HoverItem(int level, int index);
    void ChooseItem(int level, int index);

private:
    bool Intercept(const MSG& message);
    void HandleKey(UINT key);
    void OpenLevel(TOrixMenuItem& items, POINT at, const RECT* besides);
    void OpenSubMenu(int level, int index, bool selectFirst);
    void CloseLevelsAbove(int level);
    bool IsMenuWindow(HWND window) const;

    TOrixMenuItem items_;
    std::vector<std::unique_ptr<TOrixMenuWindow>> levels_;
    TOrixMenuItem* chosen_ = nullptr;
    bool open_ = false;
    bool done_ = false;
};
