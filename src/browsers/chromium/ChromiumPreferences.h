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
    // Where the entry has "state": switched off when it reads as 0 (a state
    // that is no integer reads as 0). Where it has none, as today's browsers
    // write it: switched off while "disable_reasons" is a non-empty list of
    // reasons or, as older builds wrote it, a non-zero bit field.
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
// True when ExtensionSettings holds at least one entry.
bool HasExtensionSettings(const JsonDocument& prefs);

ChromiumExtensionEntry ReadExtensionEntry(const JsonValue& entry);

// Switches the extension off or on in the form its entry is written in.
// An entry with "state": off is "state" 0 and the id appended to
// "known_disabled" (created when missing), on is "state" 1 and every copy of
// the id taken out of "known_disabled"; a "known_disabled" that is not an
// array is left alone. An entry without "state": off adds the user's reason
// 1 to "disable_reasons" (a list, created as [1] when missing, or a bit
// field), on takes it out; other reasons stay, and a "disable_reasons" of
// any other type is left alone. False, with nothing changed, when the id
// has no settings entry object.
bool SetExtensionDisabled(JsonDocument& prefs, std::string_view id, bool disabled);

// Deletes the extension's settings entry; false when there was none.
bool DeleteExtensionSettings(JsonDocument& prefs, std::string_view id);

// True when "protection" / "macs" / "extensions" / "settings" holds a code
// for the id: the browser checks the entry against it and throws an entry
// changed by anyone else away.
bool HasProtectionCode(const JsonDocument& prefs, std::string_view id);

// Whether the entry is switched off for a reason other than the browser's
// policy (reason 65536, "blocked by policy", which the browser sets and
// takes away itself as its policy changes): "state" 0, or any other reason
// in "disable_reasons".
bool IsDisabledApartFromPolicy(const JsonValue& entry);
