#include "browsers/chromium/ChromiumPreferences.h"

#include <cstdint>

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

// The user's own reason among the reasons a browser records for keeping an
// extension switched off; the others (a permission increase, a corrupted
// install, a policy) belong to the browser.
constexpr std::int64_t kUserReason = 1;

// Set by the browser while its policy blocks the extension.
constexpr std::int64_t kPolicyReason = 65536;

bool IsUserReason(const JsonValue* value) { return value && value->IsInt64() && value->GetInt64() == kUserReason; }

// Today's browsers keep no "state": a list of reason numbers, or in older
// builds a bit field, switches the extension off while it is not empty.
bool HasDisableReasons(const JsonValue* reasons) {
    if (!reasons) return false;
    if (reasons->IsArray()) return !reasons->Empty();
    return IntegerOf(reasons) != 0;
}

// Adds or removes the user's reason and keeps every other one.
void SetUserReason(JsonDocument& prefs, JsonValue& entry, bool disabled) {
    JsonValue* reasons = Member(&entry, "disable_reasons");
    if (reasons && reasons->IsInt64()) {
        const std::int64_t bits = reasons->GetInt64();
        prefs.SetInteger(entry, "disable_reasons", disabled ? (bits | kUserReason) : (bits & ~kUserReason));
        return;
    }
    if (reasons && !reasons->IsArray()) return;  // not a form the browser writes: left alone
    if (disabled) {
        reasons = prefs.EnsureArray(entry, "disable_reasons");
        for (std::size_t i = 0; i < ArraySize(reasons); ++i)
            if (IsUserReason(ArrayElement(reasons, i))) return;
        prefs.AppendInteger(*reasons, kUserReason);
    } else if (reasons) {
        for (std::size_t i = ArraySize(reasons); i > 0; --i)
            if (IsUserReason(ArrayElement(reasons, i - 1))) prefs.DeleteElement(*reasons, i - 1);
    }
}

// The members the Preferences files of earlier years use: "state" and the
// "known_disabled" list.
void SetStateAndKnownDisabled(JsonDocument& prefs, JsonValue& extensions, JsonValue& entry, std::string_view id,
                              bool disabled) {
    // A list of some other type is not ours to replace; the state still switches.
    JsonValue* known = Member(&extensions, "known_disabled");
    if (!known) known = prefs.EnsureArray(extensions, "known_disabled");
    if (known && !known->IsArray()) known = nullptr;

    prefs.SetInteger(entry, "state", disabled ? 0 : 1);
    if (!known) return;
    if (disabled) {
        prefs.AppendString(*known, id);
    } else {
        for (std::size_t i = ArraySize(known); i > 0; --i)
            if (IsTextEqual(ArrayElement(known, i - 1), id)) prefs.DeleteElement(*known, i - 1);
    }
}

}  // namespace

const JsonValue* ExtensionSettings(const JsonDocument& prefs) {
    const JsonValue* settings = Member(Member(&prefs.Root(), "extensions"), "settings");
    return settings && settings->IsObject() ? settings : nullptr;
}

bool HasExtensionSettings(const JsonDocument& prefs) {
    const JsonValue* settings = ExtensionSettings(prefs);
    return settings && settings->MemberCount() > 0;
}

ChromiumExtensionEntry ReadExtensionEntry(const JsonValue& entry) {
    ChromiumExtensionEntry result;
    const JsonValue* state = Member(&entry, "state");
    result.disabled = state ? IntegerOf(state) == 0 : HasDisableReasons(Member(&entry, "disable_reasons"));
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
    // Each entry is switched in the form it was written in.
    if (Member(entry, "state")) {
        SetStateAndKnownDisabled(prefs, *extensions, *entry, id, disabled);
    } else {
        SetUserReason(prefs, *entry, disabled);
    }
    return true;
}

bool DeleteExtensionSettings(JsonDocument& prefs, std::string_view id) {
    JsonValue* settings = Member(Member(&prefs.Root(), "extensions"), "settings");
    return settings && prefs.DeleteMember(*settings, id);
}

bool HasProtectionCode(const JsonDocument& prefs, std::string_view id) {
    const JsonValue* codes =
        Member(Member(Member(Member(&prefs.Root(), "protection"), "macs"), "extensions"), "settings");
    const JsonValue* code = Member(codes, id);
    return code && code->IsString() && code->GetStringLength() > 0;
}

bool IsDisabledApartFromPolicy(const JsonValue& entry) {
    if (const JsonValue* state = Member(&entry, "state")) return IntegerOf(state) == 0;
    const JsonValue* reasons = Member(&entry, "disable_reasons");
    if (!reasons) return false;
    if (reasons->IsArray()) {
        for (std::size_t i = 0; i < ArraySize(reasons); ++i)
            if (IntegerOf(ArrayElement(reasons, i), -1) != kPolicyReason) return true;
        return false;
    }
    return (IntegerOf(reasons) & ~kPolicyReason) != 0;
}
