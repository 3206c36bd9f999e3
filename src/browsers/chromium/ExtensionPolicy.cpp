#include "browsers/chromium/ExtensionPolicy.h"

#include <windows.h>

#include <utility>

#include "platform/SystemInfo.h"
#include "platform/UniqueHandles.h"
#include "platform/Utf.h"

namespace {

constexpr wchar_t kSettingsValue[] = L"ExtensionSettings";

// Where each browser documents its policies. Comodo Dragon and RockMelt
// document none: their extensions keep the settings file's route.
struct PolicyKeyRow {
    BrowserId browser;
    const wchar_t* key;
};
constexpr PolicyKeyRow kPolicyKeys[] = {
    {BrowserId::Chrome, L"SOFTWARE\\Policies\\Google\\Chrome"},
    {BrowserId::Chromium, L"SOFTWARE\\Policies\\Chromium"},
    {BrowserId::Edge, L"SOFTWARE\\Policies\\Microsoft\\Edge"},
    {BrowserId::Brave, L"SOFTWARE\\Policies\\BraveSoftware\\Brave"},
    {BrowserId::Vivaldi, L"SOFTWARE\\Policies\\Vivaldi"},
};

std::function<void(const PolicyChange&)>& Journal() {
    static std::function<void(const PolicyChange&)> journal;
    return journal;
}

REGSAM ViewMask(PolicyView view) { return view == PolicyView::Native64 && IsWin64 ? KEY_WOW64_64KEY : 0; }

UniqueHKey OpenForReading(const std::wstring& path) {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, path.c_str(), 0, KEY_READ | ViewMask(PolicyView::Native64), &key) !=
        ERROR_SUCCESS)
        return UniqueHKey();
    return UniqueHKey(key);
}

// A REG_SZ (or REG_EXPAND_SZ) value's text as stored; nullopt for any other
// type or a missing value.
std::optional<std::wstring> ReadString(HKEY key, const wchar_t* name) {
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return std::nullopt;
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::nullopt;
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    if (RegQueryValueExW(key, name, nullptr, &type, reinterpret_cast<BYTE*>(text.data()), &size) != ERROR_SUCCESS)
        return std::nullopt;
    text.resize(size / sizeof(wchar_t));
    while (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

PolicyChange Change(std::wstring key, std::wstring name, std::optional<std::wstring> oldData,
                    std::optional<std::wstring> newData) {
    return PolicyChange{std::move(key), PolicyView::Native64, std::move(name), std::move(oldData),
                        std::move(newData)};
}

std::optional<std::wstring> WideOf(const std::optional<std::string>& utf8) {
    if (!utf8) return std::nullopt;
    return ToWide(*utf8);
}

}  // namespace

std::wstring_view PolicyKeyOf(BrowserId browser) {
    for (const PolicyKeyRow& row : kPolicyKeys)
        if (row.browser == browser) return row.key;
    return {};
}

bool ApplyPolicyChange(const PolicyChange& change) {
    const REGSAM view = ViewMask(change.view);
    bool done = false;
    if (change.newData) {
        HKEY key = nullptr;
        if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, change.key.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                            KEY_SET_VALUE | view, nullptr, &key, nullptr) != ERROR_SUCCESS)
            return false;
        const UniqueHKey owned(key);
        const std::wstring& text = *change.newData;
        done = RegSetValueExW(key, change.valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                              static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
    } else {
        HKEY key = nullptr;
        const LONG opened = RegOpenKeyExW(HKEY_LOCAL_MACHINE, change.key.c_str(), 0, KEY_SET_VALUE | view, &key);
        if (opened == ERROR_FILE_NOT_FOUND) return true;  // nothing there to delete
        if (opened != ERROR_SUCCESS) return false;
        const UniqueHKey owned(key);
        const LONG deleted = RegDeleteValueW(key, change.valueName.c_str());
        done = deleted == ERROR_SUCCESS || deleted == ERROR_FILE_NOT_FOUND;
    }
    if (done && Journal()) Journal()(change);
    return done;
}

void SetPolicyJournal(std::function<void(const PolicyChange&)> journal) { Journal() = std::move(journal); }

TExtensionPolicy::TExtensionPolicy(std::wstring browserKey) : browserKey_(std::move(browserKey)) {}

std::vector<PolicyListEntry> TExtensionPolicy::Blocklist() const {
    std::vector<PolicyListEntry> entries;
    const UniqueHKey key = OpenForReading(BlocklistKey());
    if (!key) return entries;
    for (DWORD index = 0;; ++index) {
        wchar_t name[256];
        DWORD length = 256;
        const LONG result = RegEnumValueW(key.get(), index, name, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_MORE_DATA) continue;  // a name too long for a list entry
        if (result != ERROR_SUCCESS) break;       // the end, or a key that went away
        if (const std::optional<std::wstring> data = ReadString(key.get(), name))
            entries.push_back({std::wstring(name, length), *data});
    }
    return entries;
}

std::optional<std::string> TExtensionPolicy::SettingsText() const {
    const UniqueHKey key = OpenForReading(browserKey_);
    if (!key) return std::nullopt;
    const std::optional<std::wstring> text = ReadString(key.get(), kSettingsValue);
    if (!text) return std::nullopt;
    return ToUtf8(*text);
}

bool TExtensionPolicy::Blocks(std::wstring_view id) const { return ListBlocks(Blocklist(), id); }

bool TExtensionPolicy::MarksRemoved(std::wstring_view id) const {
    return ::MarksRemoved(SettingsText(), ToUtf8(std::wstring(id)));
}

std::vector<PolicyChange> TExtensionPolicy::PlanBlock(std::wstring_view id) const {
    const std::vector<PolicyListEntry> entries = Blocklist();
    if (FindListEntry(entries, id)) return {};
    return {Change(BlocklistKey(), NextFreeListName(entries), std::nullopt, std::wstring(id))};
}

std::vector<PolicyChange> TExtensionPolicy::PlanUnblock(std::wstring_view id) const {
    const std::vector<PolicyListEntry> entries = Blocklist();
    const std::optional<PolicyListEntry> ours = FindListEntry(entries, id);
    if (!ours) return {};
    const std::optional<PolicyListEntry> last = LastListEntry(entries);
    if (!last || last->name == ours->name) return {Change(BlocklistKey(), ours->name, ours->data, std::nullopt)};
    // The last entry first takes our number, then its own name goes.
    return {Change(BlocklistKey(), ours->name, ours->data, last->data),
            Change(BlocklistKey(), last->name, last->data, std::nullopt)};
}

std::vector<PolicyChange> TExtensionPolicy::PlanMarkRemoved(std::wstring_view id) const {
    const std::optional<std::string> before = SettingsText();
    const std::optional<std::string> after = WithRemovedMark(before, ToUtf8(std::wstring(id)));
    if (!after || after == before) return {};
    return {Change(browserKey_, kSettingsValue, WideOf(before), WideOf(after))};
}

std::vector<PolicyChange> TExtensionPolicy::PlanUnmarkRemoved(std::wstring_view id) const {
    const std::optional<std::string> before = SettingsText();
    const std::optional<std::string> after = WithoutRemovedMark(before, ToUtf8(std::wstring(id)));
    if (after == before) return {};
    return {Change(browserKey_, kSettingsValue, WideOf(before), WideOf(after))};
}

std::vector<PolicyChange> TExtensionPolicy::Apply(const std::vector<PolicyChange>& changes) {
    std::vector<PolicyChange> made;
    for (const PolicyChange& change : changes) {
        if (!ApplyPolicyChange(change)) break;
        made.push_back(change);
    }
    return made;
}

std::string TExtensionPolicy::ManagedJson() const { return ManagedPolicyJson(Blocklist(), SettingsText()); }
