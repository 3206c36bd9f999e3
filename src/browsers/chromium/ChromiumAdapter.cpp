#include "browsers/chromium/ChromiumAdapter.h"

#include <algorithm>
#include <memory>
#include <new>
#include <optional>
#include <stdexcept>
#include <vector>

#include "browsers/BrowserProcesses.h"
#include "browsers/PluginRegistry.h"
#include "browsers/chromium/ChromiumPreferences.h"
#include "browsers/chromium/ExtensionMessages.h"
#include "browsers/chromium/PolicyMarks.h"
#include "browsers/chromium/UiLanguageTags.h"
#include "app/LanguageLookup.h"
#include "gfx/AddonIcons.h"
#include "json/JsonDocument.h"
#include "platform/BrivoError.h"
#include "platform/FileUtil.h"
#include "platform/ShellHelpers.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

constexpr const wchar_t* kSecurePrefsFileName = L"Secure Preferences";

// An extension id names one entry of "Extensions\"; anything that could
// reach beyond that folder is never handed to the shell for deletion.
bool IsPlainEntryName(const std::wstring& name) {
    return !name.empty() && name != L"." && name != L".." && name.find_first_of(L"\\/:") == std::wstring::npos;
}

// Replaces "__MSG_key__" names and descriptions with the messages of the
// extension's locale folders, the user's language first. A text whose
// message is found nowhere stays as it was written.
void ResolveMessages(TBrowserExtensionInfo& record, const std::vector<std::string>& locales) {
    const std::optional<std::string> nameKey = MessageKey(ToUtf8(record.Name));
    const std::optional<std::string> descriptionKey = MessageKey(ToUtf8(record.Description));
    if (!nameKey && !descriptionKey) return;
    bool nameDone = !nameKey, descriptionDone = !descriptionKey;
    for (const std::string& locale : locales) {
        if (!IsPlainLocaleName(locale)) continue;
        const std::optional<JsonDocument> messages =
            JsonDocument::LoadFile(record.FilePath + L"\\_locales\\" + ToWide(locale) + L"\\messages.json");
        if (!messages) continue;
        if (!nameDone) {
            if (const auto text = LookupMessage(messages->Root(), *nameKey)) record.Name = ToWide(*text), nameDone = true;
        }
        if (!descriptionDone) {
            if (const auto text = LookupMessage(messages->Root(), *descriptionKey))
                record.Description = ToWide(*text), descriptionDone = true;
        }
        if (nameDone && descriptionDone) return;
    }
}

[[noreturn]] void Refuse(const wchar_t* key, const wchar_t* english) {
    throw BrivoError(ToUtf8(Translate(L"Messages", key, english)));
}

[[noreturn]] void RefusePolicyWrite() {
    Refuse(L"PolicyWriteF", L"The browser's extension policy could not be changed.");
}

}  // namespace

TChromiumAdapter::TChromiumAdapter(BrowserId browser) noexcept {
    Browser = browser;
    Kind = FactsOf(browser).kind;
}

void TChromiumAdapter::ReadProfile(const std::function<std::optional<TBrowserProfile>()>& findProfile) noexcept {
    try {
        const BrowserFacts& facts = FactsOf(Browser);
        DisplayName = facts.displayName;
        exeName_ = facts.executable;
        PrefsFileName = L"Preferences";
        const std::optional<TBrowserProfile> profile = findProfile();
        if (profile && !profile->DataPath.empty()) ReadProfileAt(*profile);
    } catch (const std::bad_alloc&) {
        // A profile too large for the address space: the records read so far
        // are listed, in list order like every list.
        SortExtensions();
    } catch (const std::length_error&) {
        SortExtensions();
    }
}

void TChromiumAdapter::ReadProfileAt(const TBrowserProfile& profile) {
    DataPath = profile.DataPath;
    ProfileFolder = profile.Folder;
    ProfileName = profile.Name;
    // A profile may keep only "Secure Preferences" (the browser's own choice
    // on Windows); it is then the file read and written.
    if (!FileExists(PrefsPath()) && FileExists(DataPath + kSecurePrefsFileName)) PrefsFileName = kSecurePrefsFileName;
    std::optional<JsonDocument> prefs = JsonDocument::LoadFile(PrefsPath());
    if (!prefs) return;
    // Where the browser protects the extension settings (Windows), they are
    // kept in "Secure Preferences" in the same layout, and "Preferences" has
    // none. Changes then go back to the file the settings came from.
    if (PrefsFileName != kSecurePrefsFileName && !HasExtensionSettings(*prefs)) {
        std::optional<JsonDocument> secure = JsonDocument::LoadFile(DataPath + kSecurePrefsFileName);
        if (secure && HasExtensionSettings(*secure)) {
            prefs = std::move(secure);
            PrefsFileName = kSecurePrefsFileName;
        }
    }
    PrefsDocument = std::make_unique<JsonDocument>(std::move(*prefs));
    if (const std::wstring_view key = PolicyKeyOf(Browser); !key.empty()) policy_.emplace(std::wstring(key));
    ScanExtensionSettings();
    ScanPlugins(Extensions);
    SortExtensions();
}

void TChromiumAdapter::ScanExtensionSettings() {
    const JsonValue* settings = ExtensionSettings(*PrefsDocument);
    if (!settings) return;
    const std::wstring folder = ExtensionsFolder();
    WIN32_FIND_DATAW found;
    const HANDLE first = FindFirstFileW((folder + L"*.*").c_str(), &found);
    if (first == INVALID_HANDLE_VALUE) return;
    const UniqueFindHandle find(first);
    const std::string uiTag = GetUiLanguageTag();
    // Only entries of "Secure Preferences" carry codes the browser checks;
    // the policy is read once for all of them.
    const bool protectedFile = policy_ && PrefsFileName == kSecurePrefsFileName;
    std::vector<PolicyListEntry> blocklist;
    std::optional<std::string> policySettings;
    if (protectedFile) {
        blocklist = policy_->Blocklist();
        policySettings = policy_->SettingsText();
    }
    do {
        // Files count as much as folders: the browser knows the extension by its settings.
        const std::wstring name = found.cFileName;
        if (name == L"." || name == L"..") continue;
        const JsonValue* entry = Member(settings, ToUtf8(name));
        if (!entry) continue;

        const ChromiumExtensionEntry read = ReadExtensionEntry(*entry);
        auto record = std::make_unique<TBrowserExtensionInfo>();
        record->Kind = AddonKind::Extension;
        record->Id = name;
        record->Disabled = read.disabled;
        record->FilePath = folder + read.path;
        if (protectedFile && HasProtectionCode(*PrefsDocument, ToUtf8(name))) {
            if (MarksRemoved(policySettings, ToUtf8(name))) {
                pendingRemovals_.push_back(name);
                continue;
            }
            record->ManagedByPolicy = true;
            record->Disabled = IsDisabledApartFromPolicy(*entry) || ListBlocks(blocklist, name);
        }
        if (read.hasManifest) {
            record->Name = read.name;
            record->Description = read.description;
            record->Version = read.version;
            record->IconUrl = read.iconUrl;
            ResolveMessages(*record, LocaleCandidates(uiTag, read.defaultLocale));
            if (!record->IconUrl.empty()) {
                // Decoded when the row is first shown, not for rows no one looks at.
                record->Icon.DecodeOnFirstUse(
                    [path = record->FilePath + L"\\" + record->IconUrl] { return LoadPngFile(path); });
            }
        }
        Extensions.push_back(std::move(record));
    } while (FindNextFileW(find.get(), &found));
}

void TChromiumAdapter::CloseBrowser() { KillProcessesByName(exeName_); }

bool TChromiumAdapter::IsBrowserRunning() { return FindProcessByName(exeName_) != 0; }

bool TChromiumAdapter::ToggleExtension(TBrowserExtensionInfo* record) {
    if (!record) return false;
    if (!PrefsDocument || !Owns(record) || record->Kind != AddonKind::Extension) return record->Disabled;
    if (record->ManagedByPolicy && policy_) {
        TogglePolicyBlock(*record);
        return record->Disabled;
    }
    if (!SetExtensionDisabled(*PrefsDocument, ToUtf8(record->Id), !record->Disabled)) return record->Disabled;
    record->Disabled = !record->Disabled;
    PrefsDocument->SaveFile(PrefsPath());
    return record->Disabled;
}

bool TChromiumAdapter::RemoveExtension(TBrowserExtensionInfo* record) {
    if (!Owns(record)) return false;
    if (record->Kind == AddonKind::Extension && record->ManagedByPolicy && policy_) {
        if (!RemoveByPolicy(*record)) return false;
    } else if (record->Kind == AddonKind::Extension) {
        if (!RemoveExtensionEntry(*record)) return false;
    } else if (!RemovePlugin(*record, BeforeRegistryDelete)) {
        return false;
    }
    return DestroyExtension(record);
}

bool TChromiumAdapter::RemoveExtensionEntry(const TBrowserExtensionInfo& record) {
    if (!PrefsDocument) return true;
    // All installed versions go, not just the one FilePath names. A folder
    // still in use keeps its settings entry, so the browser keeps knowing it,
    // and its record, so the list keeps showing what the browser has.
    bool deleted = false;
    if (IsPlainEntryName(record.Id)) {
        const std::wstring folder = ExtensionsFolder() + record.Id;
        deleted = SetAside ? SetAside(folder) : ShellDeleteFolder(folder);
    }
    if (deleted) DeleteExtensionSettings(*PrefsDocument, ToUtf8(record.Id));
    PrefsDocument->SaveFile(PrefsPath());
    return deleted;
}

void TChromiumAdapter::TogglePolicyBlock(TBrowserExtensionInfo& record) {
    const std::wstring& key = policy_->BrowserKey();
    if (!record.Disabled) {
        const std::vector<PolicyChange> changes = policy_->PlanBlock(record.Id);
        // An entry with the id that the browser does not obey (behind a gap
        // in the numbers) is someone else's and stays as it is.
        if (changes.empty()) RefusePolicyWrite();
        if (TExtensionPolicy::Apply(changes).size() != changes.size()) RefusePolicyWrite();
        SetMarked(key, PolicyMark::Blocked, record.Id, true);
        record.Disabled = true;
        return;
    }
    const std::vector<PolicyListEntry> entries = policy_->Blocklist();
    if (ListBlocks(entries, record.Id)) {
        // Ours is the first entry with the id; any other entry that blocks
        // it, or "*", belongs to someone else.
        const std::optional<PolicyListEntry> ours = FindListEntry(entries, record.Id);
        const bool othersBlock = std::any_of(entries.begin(), entries.end(), [&](const PolicyListEntry& entry) {
            return entry.data == L"*" || (entry.data == record.Id && ours && entry.name != ours->name);
        });
        if (!ours || othersBlock || !IsMarked(key, PolicyMark::Blocked, record.Id))
            Refuse(L"PolicyBlocked", L"The administrator has blocked this extension; it cannot be switched on here.");
        const std::vector<PolicyChange> changes = policy_->PlanUnblock(record.Id);
        if (TExtensionPolicy::Apply(changes).size() != changes.size()) RefusePolicyWrite();
        SetMarked(key, PolicyMark::Blocked, record.Id, false);
        record.Disabled = DisabledInFile(record);
        return;
    }
    // Switched off in the browser itself: only the browser may write its
    // protected entry.
    Refuse(L"PolicyInBrowser", L"This extension was switched off in the browser; please switch it on there.");
}

bool TChromiumAdapter::RemoveByPolicy(const TBrowserExtensionInfo& record) {
    const std::wstring& key = policy_->BrowserKey();
    const bool ourBlock = IsMarked(key, PolicyMark::Blocked, record.Id);
    const std::vector<PolicyChange> mark = policy_->PlanMarkRemoved(record.Id);
    // "ExtensionSettings" that is no JSON object is not ours to replace.
    if (mark.empty()) RefusePolicyWrite();
    if (TExtensionPolicy::Apply(mark).size() != mark.size()) RefusePolicyWrite();
    SetMarked(key, PolicyMark::Removed, record.Id, true);
    // The browser uninstalls it now; the program's own block would only stand
    // in the way of a later install.
    if (ourBlock) {
        const std::vector<PolicyChange> unblock = policy_->PlanUnblock(record.Id);
        if (TExtensionPolicy::Apply(unblock).size() == unblock.size())
            SetMarked(key, PolicyMark::Blocked, record.Id, false);
    }
    pendingRemovals_.push_back(record.Id);
    return true;
}

bool TChromiumAdapter::DisabledInFile(const TBrowserExtensionInfo& record) const {
    const JsonValue* entry = Member(ExtensionSettings(*PrefsDocument), ToUtf8(record.Id));
    return entry && IsDisabledApartFromPolicy(*entry);
}

bool TChromiumAdapter::Owns(const TBrowserExtensionInfo* record) const {
    return record && std::any_of(Extensions.begin(), Extensions.end(),
                                 [record](const auto& owned) { return owned.get() == record; });
}
