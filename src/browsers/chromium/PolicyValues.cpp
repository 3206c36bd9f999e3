#include "browsers/chromium/PolicyValues.h"

#include <algorithm>
#include <set>

#include "json/JsonDocument.h"
#include "platform/Utf.h"

namespace {

constexpr std::string_view kMode = "installation_mode";
constexpr std::string_view kRemoved = "removed";

// The number a list entry name stands for; 0 for a name the browser skips.
unsigned long NumberOf(std::wstring_view name) {
    if (!IsListEntryName(name)) return 0;
    unsigned long number = 0;
    for (const wchar_t c : name) number = number * 10 + static_cast<unsigned long>(c - L'0');
    return number;
}

std::optional<JsonDocument> ParseObject(const std::optional<std::string>& utf8) {
    if (!utf8) return std::nullopt;
    std::optional<JsonDocument> document = JsonDocument::Parse(*utf8);
    if (!document || !document->Root().IsObject()) return std::nullopt;
    return document;
}

bool IsRemovedMode(const JsonValue* entry) {
    const JsonValue* mode = Member(entry, kMode);
    return mode && mode->IsString() && std::string_view(mode->GetString(), mode->GetStringLength()) == kRemoved;
}

}  // namespace

bool IsListEntryName(std::wstring_view name) {
    // Nine digits at most: no number the program writes comes near that.
    if (name.empty() || name.size() > 9 || name.front() == L'0') return false;
    return std::all_of(name.begin(), name.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; });
}

std::wstring NextFreeListName(const std::vector<PolicyListEntry>& entries) {
    std::set<unsigned long> used;
    for (const PolicyListEntry& entry : entries) used.insert(NumberOf(entry.name));
    unsigned long next = 1;
    while (used.count(next)) ++next;
    return std::to_wstring(next);
}

std::vector<PolicyListEntry> EffectiveEntries(const std::vector<PolicyListEntry>& entries) {
    std::vector<PolicyListEntry> effective;
    for (unsigned long number = 1;; ++number) {
        const auto found = std::find_if(entries.begin(), entries.end(),
                                        [number](const PolicyListEntry& e) { return NumberOf(e.name) == number; });
        if (found == entries.end()) return effective;
        effective.push_back(*found);
    }
}

bool ListBlocks(const std::vector<PolicyListEntry>& entries, std::wstring_view id) {
    const std::vector<PolicyListEntry> effective = EffectiveEntries(entries);
    return std::any_of(effective.begin(), effective.end(),
                       [id](const PolicyListEntry& e) { return e.data == id || e.data == L"*"; });
}

std::optional<PolicyListEntry> FindListEntry(const std::vector<PolicyListEntry>& entries, std::wstring_view id) {
    for (const PolicyListEntry& entry : entries)
        if (NumberOf(entry.name) != 0 && entry.data == id) return entry;
    return std::nullopt;
}

std::optional<PolicyListEntry> LastListEntry(const std::vector<PolicyListEntry>& entries) {
    std::optional<PolicyListEntry> last;
    for (const PolicyListEntry& entry : entries)
        if (NumberOf(entry.name) != 0 && (!last || NumberOf(entry.name) > NumberOf(last->name))) last = entry;
    return last;
}

SettingsText ClassifySettings(const std::optional<std::string>& utf8) {
    if (!utf8) return SettingsText::Absent;
    return ParseObject(utf8) ? SettingsText::Object : SettingsText::Invalid;
}

bool MarksRemoved(const std::optional<std::string>& utf8, std::string_view id) {
    const std::optional<JsonDocument> document = ParseObject(utf8);
    return document && IsRemovedMode(Member(&document->Root(), id));
}

std::optional<std::string> WithRemovedMark(const std::optional<std::string>& utf8, std::string_view id) {
    std::optional<JsonDocument> document = utf8 ? ParseObject(utf8) : JsonDocument::EmptyObject();
    if (!document) return std::nullopt;
    JsonValue* entry = document->EnsureObject(document->Root(), id);
    if (!entry) return std::nullopt;
    document->SetString(*entry, kMode, kRemoved);
    return document->ToText();
}

std::optional<std::string> WithoutRemovedMark(const std::optional<std::string>& utf8, std::string_view id) {
    std::optional<JsonDocument> document = ParseObject(utf8);
    if (!document) return utf8;
    JsonValue& root = document->Root();
    JsonValue* entry = Member(&root, id);
    if (!IsRemovedMode(entry)) return utf8;
    document->DeleteMember(*entry, kMode);
    if (entry->MemberCount() == 0) document->DeleteMember(root, id);
    if (root.MemberCount() == 0) return std::nullopt;
    return document->ToText();
}

std::string ManagedPolicyJson(const std::vector<PolicyListEntry>& blocklist,
                              const std::optional<std::string>& settingsUtf8) {
    JsonDocument file = JsonDocument::EmptyObject();
    const std::vector<PolicyListEntry> effective = EffectiveEntries(blocklist);
    if (!effective.empty()) {
        JsonValue* list = file.EnsureArray(file.Root(), "ExtensionInstallBlocklist");
        for (const PolicyListEntry& entry : effective) file.AppendString(*list, ToUtf8(entry.data));
    }
    std::string text = file.ToText();
    // The browser takes the object itself there, not its text; it goes in
    // as written, so no member of it is lost.
    if (const std::optional<JsonDocument> settings = ParseObject(settingsUtf8);
        settings && settings->Root().MemberCount() > 0) {
        text.pop_back();  // the closing brace
        if (!effective.empty()) text += ',';
        text += "\"ExtensionSettings\":" + settings->ToText() + "}";
    }
    return text;
}
