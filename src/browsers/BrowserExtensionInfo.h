#pragma once
// One add-on of one browser, as every window shows it.
#include <cstdint>
#include <string>

#include "browsers/AddonIcon.h"
#include "browsers/AddonKind.h"
#include "gfx/AddonPicture.h"
#include "browsers/IconDownloadTicket.h"

class TBrowserExtensionInfo {
public:
    // The add-on's id within its browser: IE the CLSID as the registry names
    // it (empty for context-menu entries), Chrome family and Opera the
    // extension folder name, Firefox the add-on id, a plug-in its subkey name.
    // The rating service knows the add-on by it.
    std::wstring Id;
    // Shown in the list; when empty the list shows Id.
    std::wstring Name;
    std::wstring Description;
    // Where the add-on lives: a DLL, icon file, extension folder, descriptor
    // path, or for a plug-in the full registry path of its key.
    std::wstring FilePath;
    // The icon named by the add-on's own metadata; empty for IE and plug-ins.
    std::wstring IconUrl;
    std::wstring Version;
    AddonKind Kind = AddonKind::All;
    // Drawn in the list; the list draws its default picture when none.
    // Icons of local files are decoded when first looked at (a row painted).
    AddonIcon Icon;
    bool Disabled = false;
    // Community rating, 0.0 to 5.0; 0 until the rating service answered.
    double Rating = 0.0;
    // 1 when found in the native registry view, 0 under Wow6432Node.
    std::uint8_t NativeView = 0;
    // Switched and removed through the browser's extension policy, because
    // the browser protects the extension's settings entry (its code in
    // "Secure Preferences") and would throw away an edited one.
    bool ManagedByPolicy = false;
    // The picture a background download delivered, before it is copied into Icon.
    AddonPicture DownloadedIcon;
    // The icon download running for this record (StartIconDownload); it is
    // cancelled when the record is destroyed. Declared last, so it is the
    // first member destroyed.
    IconDownloadTicket IconDownload;
};
