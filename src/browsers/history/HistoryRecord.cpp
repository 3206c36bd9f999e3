#include "browsers/history/HistoryRecord.h"

#include "json/JsonDocument.h"
#include "json/JsonWriter.h"

namespace {

constexpr char kHexDigits[] = "0123456789abcdef";

std::string ToHex(const std::string& bytes) {
    std::string text;
    text.reserve(bytes.size() * 2);
    for (const unsigned char byte : bytes) {
        text += kHexDigits[byte >> 4];
        text += kHexDigits[byte & 15];
    }
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    if (c >= 'a' && c <= 'f') return c - 'a' + 10;
    if (c >= 'A' && c <= 'F') return c - 'A' + 10;
    return -1;
}

std::optional<std::string> FromHex(const std::string& text) {
    if (text.size() % 2 != 0) return std::nullopt;
    std::string bytes;
    bytes.reserve(text.size() / 2);
    for (std::size_t i = 0; i < text.size(); i += 2) {
        const int high = HexDigit(text[i]), low = HexDigit(text[i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes += static_cast<char>(high * 16 + low);
    }
    return bytes;
}

std::optional<HistoryAction> ActionFromName(const std::string& name) {
    for (const HistoryAction action : {HistoryAction::Switch, HistoryAction::Remove, HistoryAction::Default})
        if (HistoryActionName(action) == name) return action;
    return std::nullopt;
}

// Text members are strings or missing (empty); a number or an object where
// text belongs makes the record unreadable.
bool ReadText(const JsonValue* object, std::string_view name, std::string& out) {
    const JsonValue* value = Member(object, name);
    if (!value) return true;
    if (!value->IsString()) return false;
    out.assign(value->GetString(), value->GetStringLength());
    return true;
}

bool IsView(std::int64_t view) { return view == 0 || view == 32 || view == 64; }

}  // namespace

std::string_view HistoryActionName(HistoryAction action) {
    switch (action) {
    case HistoryAction::Switch: return "switch";
    case HistoryAction::Remove: return "remove";
    case HistoryAction::Default: return "default";
    }
    return {};
}

std::string HistoryRecordToJson(const THistoryRecord& record) {
    JsonDocument document = JsonDocument::EmptyObject();
    JsonValue& root = document.Root();
    document.SetString(root, "time", record.time);
    document.SetString(root, "action", HistoryActionName(record.action));
    document.SetString(root, "browser", record.browser);
    document.SetString(root, "browserName", record.browserName);
    document.SetString(root, "profile", record.profile);
    document.SetString(root, "profileName", record.profileName);
    document.SetString(root, "addonId", record.addonId);
    document.SetString(root, "addonName", record.addonName);
    document.SetInteger(root, "kind", record.kind);
    document.SetInteger(root, "view", record.view);
    if (record.action == HistoryAction::Switch) document.SetBoolean(root, "disabledBefore", record.disabledBefore);
    if (!record.settingsFile.empty()) document.SetString(root, "settingsFile", record.settingsFile);
    if (!record.entry.empty()) {
        // Kept as JSON in the record, so that it can be read and compared as it stands.
        if (const std::optional<JsonDocument> entry = JsonDocument::Parse(record.entry))
            document.SetCopy(root, "entry", entry->Root());
    }
    if (!record.savedPaths.empty()) {
        JsonValue* paths = document.EnsureArray(root, "saved");
        for (const THistorySavedPath& path : record.savedPaths) {
            JsonValue* item = document.AppendObject(*paths);
            document.SetString(*item, "saved", path.saved);
            document.SetString(*item, "original", path.original);
        }
    }
    if (!record.registryValues.empty()) {
        JsonValue* values = document.EnsureArray(root, "registry");
        for (const THistoryRegistryValue& value : record.registryValues) {
            JsonValue* item = document.AppendObject(*values);
            document.SetString(*item, "root", value.root);
            document.SetString(*item, "path", value.path);
            document.SetInteger(*item, "view", value.view);
            if (value.key) {
                document.SetBoolean(*item, "key", true);
                continue;
            }
            document.SetString(*item, "name", value.name);
            document.SetBoolean(*item, "present", value.present);
            if (value.present) {
                document.SetInteger(*item, "type", value.type);
                document.SetString(*item, "data", ToHex(value.data));
            }
        }
    }
    if (!record.undone.empty()) document.SetString(root, "undone", record.undone);
    return document.ToText();
}

std::optional<THistoryRecord> HistoryRecordFromJson(const std::string& text) {
    const std::optional<JsonDocument> document = JsonDocument::Parse(text);
    if (!document || !document->Root().IsObject()) return std::nullopt;
    const JsonValue* root = &document->Root();
    THistoryRecord record;
    const std::optional<HistoryAction> action = ActionFromName(GetText(root, "action"));
    if (!action) return std::nullopt;
    record.action = *action;
    const bool texts = ReadText(root, "time", record.time) && ReadText(root, "browser", record.browser) &&
                       ReadText(root, "browserName", record.browserName) &&
                       ReadText(root, "profile", record.profile) &&
                       ReadText(root, "profileName", record.profileName) &&
                       ReadText(root, "addonId", record.addonId) && ReadText(root, "addonName", record.addonName) &&
                       ReadText(root, "settingsFile", record.settingsFile) && ReadText(root, "undone", record.undone);
    if (!texts || record.time.empty() || record.browser.empty()) return std::nullopt;
    const std::int64_t kind = GetInteger(root, "kind"), view = GetInteger(root, "view");
    if (kind < 0 || kind > 255 || !IsView(view)) return std::nullopt;
    record.kind = static_cast<int>(kind);
    record.view = static_cast<int>(view);
    record.disabledBefore = GetBoolean(root, "disabledBefore");
    if (const JsonValue* entry = Member(root, "entry")) {
        if (!entry->IsObject()) return std::nullopt;
        AppendJsonValue(record.entry, *entry);
    }
    const JsonValue* saved = Member(root, "saved");
    if (saved && !saved->IsArray()) return std::nullopt;
    for (std::size_t i = 0; i < ArraySize(saved); ++i) {
        const JsonValue* item = ArrayElement(saved, i);
        THistorySavedPath path{GetText(item, "saved"), GetText(item, "original")};
        if (!item->IsObject() || path.saved.empty() || path.original.empty()) return std::nullopt;
        record.savedPaths.push_back(std::move(path));
    }
    const JsonValue* registry = Member(root, "registry");
    if (registry && !registry->IsArray()) return std::nullopt;
    for (std::size_t i = 0; i < ArraySize(registry); ++i) {
        const JsonValue* item = ArrayElement(registry, i);
        if (!item->IsObject()) return std::nullopt;
        THistoryRegistryValue value;
        value.root = GetText(item, "root");
        value.path = GetText(item, "path");
        const std::int64_t valueView = GetInteger(item, "view");
        value.name = GetText(item, "name");
        value.present = GetBoolean(item, "present");
        if (value.root.empty() || value.path.empty() || !IsView(valueView)) return std::nullopt;
        value.view = static_cast<int>(valueView);
        value.key = GetBoolean(item, "key");
        if (value.key) value.present = false;
        if (value.present) {
            const std::int64_t type = GetInteger(item, "type", -1);
            const std::optional<std::string> data = FromHex(GetText(item, "data"));
            if (type < 0 || type > 0xFFFFFFFFll || !data) return std::nullopt;
            value.type = static_cast<std::uint32_t>(type);
            value.data = *data;
        }
        record.registryValues.push_back(std::move(value));
    }
    return record;
}
