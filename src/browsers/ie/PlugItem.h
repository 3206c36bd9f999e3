#pragma once
// One Internet Explorer add-on as the registry scanner found it.
#include <cstdint>
#include <string>

// Where Internet Explorer registers the add-on. Toolbar buttons (and the menu
// items that share their key) have a code of their own here; the add-on list
// shows them with the toolbars.
enum class IEPlugKind : std::uint8_t {
    BrowserHelperObject = 1,
    Toolbar = 2,
    ToolbarButton = 3,
    ContextMenuEntry = 4,
};

struct TPlugItem {
    IEPlugKind Kind = IEPlugKind::BrowserHelperObject;
    // 1 when found under the native key (the 64-bit view on 64-bit Windows),
    // 0 when found under the Wow6432Node key.
    std::uint8_t NativeView = 0;
    // The class identifier exactly as the registry names it, braces included;
    // empty for context-menu entries.
    std::wstring Clsid;
    std::wstring Name;
    // The implementing DLL (helper objects, toolbars), the icon file (buttons)
    // or the entry's resource (context-menu entries).
    std::wstring FilePath;
    // Switched off for the current user; never true for context-menu entries.
    bool Disabled = false;
};
