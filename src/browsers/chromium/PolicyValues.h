#pragma once
// The two extension policies of the browsers built on Chromium, as the
// program reads and changes them: the list "ExtensionInstallBlocklist" (its
// entries named "1", "2", ... each holding an extension id; the browser reads
// them from "1" on and stops at the first missing number) and the JSON
// object "ExtensionSettings". Also the form of a managed policy file of
// Chromium on Linux, which holds the same policies as JSON members. No file
// or Windows access here.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

struct PolicyListEntry {
    std::wstring name;  // the value name, "1", "2", ...
    std::wstring data;  // the extension id (or "*" for every extension)
};

// The names the browser reads, "1" up to the first missing number; a name
// with a leading zero, a sign or anything else is not one of them.
bool IsListEntryName(std::wstring_view name);
// The lowest of "1", "2", ... that no entry uses.
std::wstring NextFreeListName(const std::vector<PolicyListEntry>& entries);
// The entry numbers in use up to the first missing one, in order: the
// entries the browser obeys.
std::vector<PolicyListEntry> EffectiveEntries(const std::vector<PolicyListEntry>& entries);
// True when an effective entry holds exactly this id (or "*").
bool ListBlocks(const std::vector<PolicyListEntry>& entries, std::wstring_view id);
// The entry holding exactly this id, among all entries; nullopt when none.
std::optional<PolicyListEntry> FindListEntry(const std::vector<PolicyListEntry>& entries, std::wstring_view id);
// The highest-numbered entry of all; nullopt when there is none.
std::optional<PolicyListEntry> LastListEntry(const std::vector<PolicyListEntry>& entries);

// What the text of "ExtensionSettings" says.
enum class SettingsText { Absent, Object, Invalid };
SettingsText ClassifySettings(const std::optional<std::string>& utf8);
// True when the object gives the id "installation_mode" "removed".
bool MarksRemoved(const std::optional<std::string>& utf8, std::string_view id);
// The object with the id's entry set to "installation_mode" "removed"; an
// entry the id has already keeps its other members. Every other member
// stays. Nullopt when the text is there but not a JSON object: it is not
// ours to replace.
std::optional<std::string> WithRemovedMark(const std::optional<std::string>& utf8, std::string_view id);
// The object without the id's "installation_mode" "removed": the entry goes
// when nothing else is left in it. Nullopt (no value at all) when the object
// is then empty; the text unchanged when it has no such mark or is no
// object.
std::optional<std::string> WithoutRemovedMark(const std::optional<std::string>& utf8, std::string_view id);

// A managed policy file of Chromium on Linux with the effective blocklist as
// the array "ExtensionInstallBlocklist" and the object of "ExtensionSettings"
// (each member only when there is something in it), written compactly.
std::string ManagedPolicyJson(const std::vector<PolicyListEntry>& blocklist,
                              const std::optional<std::string>& settingsUtf8);
