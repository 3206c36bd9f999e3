#pragma once
// Reads Internet Explorer's add-on registrations (helper objects, toolbars,
// toolbar buttons and menu items, context-menu entries) from both registry
// views, and makes every change the program applies to them: the per-user
// on/off switch under Ext\Settings and the removal of a registration.
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "browsers/ie/PlugItem.h"

class TIESweeper {
public:
    // Scans helper objects, toolbars, buttons, then context-menu entries,
    // each in the native view and then, on 64-bit Windows, the 32-bit view.
    TIESweeper();

    int Count() const { return static_cast<int>(items_.size()); }
    // Null when index is out of range.
    const TPlugItem* Items(int index) const;

    // True when the current user switched the add-on off ("Flags" 1).
    static bool IsExtDisabled(const std::wstring& clsid);
    // Switching on deletes the add-on's Ext\Settings key; switching off
    // creates it with "Flags" 1 and "Version" "*". False, with nothing
    // changed, for an empty clsid or one that is not a single key name.
    static bool SetExtEnabled(const std::wstring& clsid, bool enable);
    // Flips a helper object, toolbar or button and answers whether the
    // registry took the change; context-menu entries have no switch and null
    // is ignored (both false).
    static bool ToggleItem(const TPlugItem* item, bool disabledNow);

    // Each deletes one add-on's registration in the view the item came from
    // (native 1: the native path, anything else: the Wow6432Node path) and
    // nothing else. False when nothing was deleted; a name that is empty or
    // not a single key or value name is refused.
    // Where a kind of registration lives: its root and the key of its
    // entries in the view (native: the plain path, else Wow6432Node), and
    // whether a name can be one entry of it (not empty, no backslash).
    static HKEY RegistrationRoot(IEPlugKind kind);
    static std::wstring RegistrationPath(IEPlugKind kind, std::uint8_t native);
    static bool IsRegistrationName(const std::wstring& name);
    static bool RemoveBho(const std::wstring& clsid, std::uint8_t native);
    static bool RemoveToolbar(const std::wstring& clsid, std::uint8_t native);
    static bool RemoveButton(const std::wstring& clsid, std::uint8_t native);
    static bool RemoveMenuEntry(const std::wstring& name, std::uint8_t native);

private:
    void ScanKind(IEPlugKind kind, bool nativePass);

    std::vector<TPlugItem> items_;
};
