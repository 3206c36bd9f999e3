#include "browsers/chromium/ChromiumPreferences.h"

#include "browsers/chromium/UnicodeEscapes.h"
#include "platform/Utf.h"

namespace {

// Names and descriptions may still hold escapes the author wrote twice. They
// are decoded as UTF-16, where an escaped surrogate stays one code unit.
std::wstring DecodedText(const JsonValue* object, std::string_view name) {
    std::wstring text = ToWide(GetText(object, name));
    DecodeUnicodeEscapes(text);
    return text;
}

JsonValue* SettingsEntry(JsonValue* extensions, std::string_view id) {
    JsonValue* entry = Member(Member(extensions, "settings"), id);
    return entry && entry->IsObject() ? entry : nullptr;
}

bool IsTextEqual(const JsonValue* value, std::string_view text) {
    return value && value->IsString() && std::string_view(value->GetString(), value->GetStringLength()) == text;
}

}  // namespace

const JsonValue* ExtensionSettings(const JsonDocument& prefs) {
    const JsonValue* settings = Member(Member(&prefs.Root(), "extensions"), "settings");
    return settings && settings->IsObject() ? settings : nullptr;
}

ChromiumExtensionEntry ReadExtensionEntry(const JsonValue& entry) {
    ChromiumExtensionEntry result;
    result.disabled = GetInteger(&entry, "state", 0) == 0;
    result.path = ToWide(GetText(&entry, "path"));
    const JsonValue* manifest = Member(&entry, "manifest");
    if (!manifest || !manifest->IsObject()) return result;
    result.hasManifest = true;
    result.name = DecodedText(manifest, "name");
    result.description = DecodedText(manifest, "description");
    result.version = ToWide(GetText(manifest, "version"));
    result.defaultLocale = GetText(manifest, "default_locale");
    const JsonValue* icons = Member(manifest, "icons");
    for (const char* size : {"48", "32", "16"}) {
        result.iconUrl = ToWide(GetText(icons, size));
        if (!result.iconUrl.empty()) break;
    }
    return result;
}

bool SetExtensionDisabled(JsonDocument& prefs, std::string_view id, bool disabled) {
    JsonValue* extensions = Member(&prefs.Root(), "extensions");
    JsonValue* entry = SettingsEntry(extensions, id);
    if (!entry) return false;
    // A list of some other type is not ours to replace; the state still switches.
    JsonValue* known = Member(extensions, "known_disabled");
    if (!known) known = prefs.EnsureArray(*extensions, "known_disabled");
    if (known && !known->IsArray()) known = nullptr;

    prefs.SetInteger(*entry, "state", disabled ? 0 : 1);
    if (!known) return true;
    if (disabled) {
        prefs.AppendString(*known, id);
    } else {
        for (std::size_t i = ArraySize(known); i > 0; --i)
            if (IsTextEqual(ArrayElement(known, i - 1), id)) prefs.DeleteElement(*known, i - 1);
    }
    return true;
}

bool DeleteExtensionSettings(JsonDocument& prefs, std::string_view id) {
    JsonValue* settings = Member(Member(&prefs.Root(), "extensions"), "settings");
    return settings && prefs.DeleteMember(*settings, id);
}
