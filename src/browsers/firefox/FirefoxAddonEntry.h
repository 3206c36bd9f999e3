#pragma once
// What one element of Firefox's "extensions.json" says about its add-on, in
// the form of earlier years ("descriptor", a "locales" object named by
// language tags, icon addresses) and in today's ("path", a "locales" list
// whose entries name their languages, icons as files inside the add-on).
// No file or Windows access here; texts are UTF-8.
#include <string>
#include <string_view>
#include <vector>

#include "json/JsonDocument.h"

struct FirefoxAddonEntry {
    std::string id;
    std::string name;
    std::string description;
    std::string version;
    // "userDisabled" true, or else "appDisabled" true.
    bool disabled = false;
    // The add-on's file or folder: "descriptor", or "path" when that is missing.
    std::string path;
    // "location": "app-profile" for add-ons the profile keeps in its own
    // "extensions" folder.
    std::string location;
    // Built into the browser or installed with it ("location" "app-builtin",
    // "app-builtin-addons", "app-system-defaults", "app-system-addons"), or a
    // theme: such add-ons cannot be removed, and switching them breaks the
    // browser, so they are not listed.
    bool builtIn = false;
    // The "icons" member "64", else "32" (empty when neither is set): an
    // address to fetch, or today a file inside the add-on.
    std::string iconUrl;
    // Icon files inside the add-on, best first: the sizes 64, 32, 48, 96 and
    // 128, as far as they name files inside it (see IsAddonIconFile).
    std::vector<std::string> iconFiles;
};

// tag: the display language's tag (GetUiLanguageTag), lower case; may be
// empty. An element that is no object reads as an empty one.
FirefoxAddonEntry ReadFirefoxAddonEntry(const JsonValue* addon, std::string_view tag);

// True for an icon value that names a file inside the add-on: no scheme or
// drive (no ":"), no ".." step, not empty.
bool IsAddonIconFile(std::string_view value);
// The icon value as a path inside the add-on: leading "/" dropped, "\" as "/".
std::string AddonIconFilePath(std::string_view value);
