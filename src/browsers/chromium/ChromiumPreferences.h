#pragma once
// The members of a Chromium-style "Preferences" document that the Chrome-family
// and Opera adapters read and change: the extensions' settings entries and the
// "known_disabled" list. Everything else in the document is left as it was
// read. No file or Windows access here; ids are UTF-8 member names, looked up
// as exact text.
#include <string>
#include <string_view>

#include "json/JsonDocument.h"

// What one settings entry says about its extension.
struct ChromiumExtensionEntry {
    // "state" 0 means switched off; a missing "state" reads as 0.
    bool disabled = true;
    // "path": the installed version's folder, relative to "Extensions\".
    std::wstring path;
    // The manifest fields below are read only when there is a "manifest" object.
    bool hasManifest = false;
    std::wstring name;         // backslash-u escapes decoded
    std::wstring description;  // backslash-u escapes decoded
    std::wstring version;      // as written
    // The "icons" member "48", else "32", else "16"; empty when none is set.
    std::wstring iconUrl;
    // "default_locale": the locale folder whose messages stand in for
    // "__MSG_name__" texts when the user's language has none.
    std::string defaultLocale;
};

// "extensions" / "settings": one member per extension id. None when either
// member is missing or not an object.
const JsonValue* ExtensionSettings(const JsonDocument& prefs);

ChromiumExtensionEntry ReadExtensionEntry(const JsonValue& entry);

// Switches the extension off ("state" 0, id appended to "known_disabled",
// which is created when missing) or on ("state" 1, every copy of the id taken
// out of "known_disabled"). A "known_disabled" that is not an array is left
// alone. False, with nothing changed, when the id has no settings entry
// object.
bool SetExtensionDisabled(JsonDocument& prefs, std::string_view id, bool disabled);

// Deletes the extension's settings entry; false when there was none.
bool DeleteExtensionSettings(JsonDocument& prefs, std::string_view id);
