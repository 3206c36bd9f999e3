#include "cli/HistoryListing.h"

#include "json/JsonDocument.h"

namespace {

// Control characters would break a table line.
std::string OneLine(const std::string& text) {
    std::string line;
    for (const char c : text) line += (static_cast<unsigned char>(c) < 0x20) ? ' ' : c;
    return line;
}

std::string BrowserText(const THistoryRecord& record) {
    std::string text = record.browserName.empty() ? record.browser : record.browserName;
    const std::string& profile = record.profileName.empty() ? record.profile : record.profileName;
    if (!profile.empty()) text += " (" + profile + ")";
    return OneLine(text);
}

std::string AddonText(const THistoryRecord& record) {
    if (record.action == HistoryAction::Default) return "-";
    if (record.addonName.empty() || record.addonName == record.addonId) return OneLine(record.addonId);
    return OneLine(record.addonName + " (" + record.addonId + ")");
}

std::string PadTo(std::string text, std::size_t width) {
    if (text.size() < width) text.append(width - text.size(), ' ');
    return text;
}

}  // namespace

std::string FormatHistoryJson(const std::vector<std::optional<THistoryRecord>>& records) {
    JsonDocument document;
    document.Root().SetArray();
    for (std::size_t i = 0; i < records.size(); ++i) {
        JsonValue* item = document.AppendObject(document.Root());
        document.SetInteger(*item, "number", static_cast<std::int64_t>(i + 1));
        if (!records[i]) {
            document.SetBoolean(*item, "unreadable", true);
            continue;
        }
        const THistoryRecord& record = *records[i];
        document.SetString(*item, "time", record.time);
        document.SetString(*item, "browser", record.browser);
        document.SetString(*item, "browserName", record.browserName);
        document.SetString(*item, "profile", record.profile);
        document.SetString(*item, "profileName", record.profileName);
        document.SetString(*item, "addonId", record.addonId);
        document.SetString(*item, "addonName", record.addonName);
        document.SetString(*item, "action", HistoryActionName(record.action));
        document.SetBoolean(*item, "undone", !record.undone.empty());
        if (!record.undone.empty()) document.SetString(*item, "undoneTime", record.undone);
    }
    return document.ToText() + "\r\n";
}

std::string FormatHistoryTable(const std::vector<std::optional<THistoryRecord>>& records) {
    if (records.empty()) return "no changes\r\n";
    std::string out = "N    TIME                  ACTION   BROWSER                       ADD-ON\r\n";
    for (std::size_t i = 0; i < records.size(); ++i) {
        out += PadTo(std::to_string(i + 1), 5);
        if (!records[i]) {
            out += "unreadable record\r\n";
            continue;
        }
        const THistoryRecord& record = *records[i];
        out += PadTo(OneLine(record.time), 22) + PadTo(std::string(HistoryActionName(record.action)), 9) +
               PadTo(BrowserText(record), 29) + " " + AddonText(record);
        if (!record.undone.empty()) out += "  [undone]";
        out += "\r\n";
    }
    return out;
}
