#pragma once
// The administrator policies of a browser built on Chromium that the program
// changes where the browser protects its extension settings: the list
// "ExtensionInstallBlocklist" (an extension on it is switched off and the
// user cannot switch it on in the browser) and "ExtensionSettings" ("removed"
// makes the browser uninstall the extension). They sit below
// HKEY_LOCAL_MACHINE in the 64-bit view on 64-bit Windows, where the 64-bit
// browsers read them.
//
// Every write goes through ApplyPolicyChange, from a PolicyChange that says
// what the value held before; the journal hook sees each one. The program
// only ever adds or takes away its own entries: others' list entries and
// others' members of "ExtensionSettings" are read and kept.
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "browsers/BrowserId.h"
#include "browsers/chromium/PolicyChange.h"
#include "browsers/chromium/PolicyValues.h"

// The browser's policy key below HKEY_LOCAL_MACHINE, such as
// "SOFTWARE\Policies\Microsoft\Edge"; empty for browsers whose key is not
// documented (Comodo Dragon, RockMelt) and for the others.
std::wstring_view PolicyKeyOf(BrowserId browser);

// The one place a policy value is written: newData into the value (the key
// and its parents made when missing), or the value deleted when newData is
// absent. True when the registry took it; the journal hook is called then.
bool ApplyPolicyChange(const PolicyChange& change);
// Called with every change ApplyPolicyChange made; an empty function stops it.
void SetPolicyJournal(std::function<void(const PolicyChange&)> journal);

// One browser's two policies as they are now, and the changes that give an
// id a blocklist entry or a "removed" mark or take it away again. Reading
// and planning write nothing; Apply writes the planned changes in order.
class TExtensionPolicy {
public:
    explicit TExtensionPolicy(std::wstring browserKey);

    const std::wstring& BrowserKey() const { return browserKey_; }
    std::wstring BlocklistKey() const { return browserKey_ + L"\\ExtensionInstallBlocklist"; }

    // Every string value of the blocklist key, in the order Windows gives them.
    std::vector<PolicyListEntry> Blocklist() const;
    // The text of "ExtensionSettings" (UTF-8); nullopt when there is none.
    std::optional<std::string> SettingsText() const;

    // True when the browser obeys an entry blocking the id.
    bool Blocks(std::wstring_view id) const;
    bool MarksRemoved(std::wstring_view id) const;

    // A new entry with the id under the lowest free number; nothing when the
    // id has an entry already.
    std::vector<PolicyChange> PlanBlock(std::wstring_view id) const;
    // The entry with the id deleted. The browser reads the list only up to
    // the first missing number, so the highest-numbered entry moves into the
    // gap (its data unchanged) and no later entry is lost to it.
    std::vector<PolicyChange> PlanUnblock(std::wstring_view id) const;
    // "ExtensionSettings" with the id's "installation_mode" "removed" merged
    // in; nothing when the text there is no JSON object.
    std::vector<PolicyChange> PlanMarkRemoved(std::wstring_view id) const;
    // "ExtensionSettings" without the id's mark (deleted when nothing is
    // left); nothing when there is no such mark.
    std::vector<PolicyChange> PlanUnmarkRemoved(std::wstring_view id) const;

    // Applies the changes in order and stops at the first the registry
    // refuses; the changes made, in order.
    static std::vector<PolicyChange> Apply(const std::vector<PolicyChange>& changes);

    // The managed policy file of Chromium on Linux with both policies as they
    // are now ("/etc/chromium/policies/managed/").
    std::string ManagedJson() const;

private:
    std::wstring browserKey_;
};
