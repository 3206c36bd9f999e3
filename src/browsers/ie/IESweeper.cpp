#include "browsers/ie/IESweeper.h"

#include <optional>

#include "platform/PublicFuns.h"
#include "platform/UniqueHandles.h"

namespace {

const std::wstring kNativeSoftware = L"SOFTWARE\\";
const std::wstring kWowSoftware = L"SOFTWARE\\WOW6432NODE\\";
const std::wstring kSettingsPath = L"Software\\Microsoft\\Windows\\CurrentVersion\\Ext\\Settings\\";

// The key of each kind below SOFTWARE (or SOFTWARE\WOW6432NODE).
const wchar_t* KindKey(IEPlugKind kind) {
    switch (kind) {
    case IEPlugKind::BrowserHelperObject: return L"Microsoft\\Windows\\CurrentVersion\\Explorer\\Browser Helper Objects";
    case IEPlugKind::Toolbar: return L"Microsoft\\Internet Explorer\\Toolbar";
    case IEPlugKind::ToolbarButton: return L"Microsoft\\Internet Explorer\\Extensions";
    case IEPlugKind::ContextMenuEntry: return L"Microsoft\\Internet Explorer\\MenuExt";
    }
    return L"";
}

// Context-menu entries are per user; everything else is machine-wide.
HKEY KindRoot(IEPlugKind kind) {
    return kind == IEPlugKind::ContextMenuEntry ? HKEY_CURRENT_USER : HKEY_LOCAL_MACHINE;
}

std::wstring KindPath(IEPlugKind kind, bool native) {
    return (native ? kNativeSoftware : kWowSoftware) + KindKey(kind);
}

// A name that is joined to a path must stay one key name: an empty name or
// one with a backslash would address the parent key or another key.
bool IsSingleKeyName(const std::wstring& name) {
    return !name.empty() && name.find(L'\\') == std::wstring::npos;
}

// The default value of a class key when the key exists. The read opens the
// key with the same mask as the existence test, so one open answers both;
// only a key that did not open is tested again, because one that exists but
// denies reading still counts as found (with empty text).
std::optional<std::wstring> ExistingKeyText(const std::wstring& path) {
    RegText read = RegReadText(HKEY_CLASSES_ROOT, path, L"", true);
    if (read.opened) return std::move(read.text);
    if (RegKeyExists(HKEY_CLASSES_ROOT, path, true)) return std::wstring();
    return std::nullopt;
}

// Default value of CLSID\<clsid><suffix>, else (64-bit Windows only) of the
// 32-bit class registration; the view the add-on came from plays no part.
std::wstring ClassText(const std::wstring& clsid, const std::wstring& suffix) {
    if (auto native = ExistingKeyText(L"CLSID\\" + clsid + suffix)) return std::move(*native);
    if (!IsWin64) return {};
    return ExistingKeyText(L"WOW6432NODE\\CLSID\\" + clsid + suffix).value_or(std::wstring());
}

std::wstring FirstNonEmpty(HKEY root, const std::wstring& path, const wchar_t* first, const wchar_t* second) {
    std::wstring text = RegReadText(root, path, first, true).text;
    return text.empty() ? RegReadText(root, path, second, true).text : text;
}

bool SetDword(HKEY key, const wchar_t* name, DWORD value) {
    return RegSetValueExW(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof(value)) ==
           ERROR_SUCCESS;
}

bool SetString(HKEY key, const wchar_t* name, const std::wstring& text) {
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

// The per-user switch key is the one key the program creates.
bool WriteSwitchedOff(const std::wstring& path) {
    HKEY raw = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, RegAccessMask(false), nullptr, &raw,
                        nullptr) != ERROR_SUCCESS)
        return false;
    const UniqueHKey key(raw);
    const bool flags = SetDword(key.get(), L"Flags", 1);
    const bool version = SetString(key.get(), L"Version", L"*");
    return flags && version;
}

}  // namespace

TIESweeper::TIESweeper() {
    for (IEPlugKind kind : {IEPlugKind::BrowserHelperObject, IEPlugKind::Toolbar, IEPlugKind::ToolbarButton,
                            IEPlugKind::ContextMenuEntry}) {
        ScanKind(kind, true);
        if (IsWin64) ScanKind(kind, false);
    }
}

void TIESweeper::ScanKind(IEPlugKind kind, bool nativePass) {
    const HKEY root = KindRoot(kind);
    const std::wstring path = KindPath(kind, nativePass);
    std::vector<std::wstring> names;
    const bool opened = kind == IEPlugKind::Toolbar ? RegGetValueNames(root, path, names, true, true)
                                                    : RegGetKeyNames(root, path, names, true, true);
    if (!opened) return;
    for (const std::wstring& name : names) {
        TPlugItem item;
        item.Kind = kind;
        item.NativeView = nativePass ? 1 : 0;
        const std::wstring subkey = path + L"\\" + name;
        switch (kind) {
        case IEPlugKind::BrowserHelperObject:
        case IEPlugKind::Toolbar:
            item.Clsid = name;
            item.Name = ClassText(name, L"");
            item.FilePath = ClassText(name, L"\\InprocServer32");
            break;
        case IEPlugKind::ToolbarButton:
            item.Clsid = name;
            item.Name = FirstNonEmpty(root, subkey, L"ButtonText", L"MenuText");
            item.FilePath = FirstNonEmpty(root, subkey, L"HotIcon", L"Icon");
            break;
        case IEPlugKind::ContextMenuEntry:
            item.Name = name;
            item.FilePath = RegReadText(root, subkey, L"", true).text;
            break;
        }
        item.Disabled = kind != IEPlugKind::ContextMenuEntry && IsExtDisabled(item.Clsid);
        if (!item.Name.empty()) items_.push_back(std::move(item));
    }
}

const TPlugItem* TIESweeper::Items(int index) const {
    if (index < 0 || index >= Count()) return nullptr;
    return &items_[static_cast<size_t>(index)];
}

bool TIESweeper::IsExtDisabled(const std::wstring& clsid) {
    if (clsid.empty()) return false;
    return RegReadInteger(HKEY_CURRENT_USER, kSettingsPath + clsid, L"Flags", true, 0) == 1;
}

bool TIESweeper::SetExtEnabled(const std::wstring& clsid, bool enable) {
    if (!IsSingleKeyName(clsid)) return false;
    const std::wstring path = kSettingsPath + clsid;
    if (enable) return RegRemoveKey(HKEY_CURRENT_USER, path) || !RegKeyExists(HKEY_CURRENT_USER, path, true);
    return WriteSwitchedOff(path);
}

bool TIESweeper::ToggleItem(const TPlugItem* item, bool disabledNow) {
    if (!item || item->Kind == IEPlugKind::ContextMenuEntry) return false;
    return SetExtEnabled(item->Clsid, disabledNow);
}

namespace {

bool RemoveKeyOf(IEPlugKind kind, const std::wstring& name, std::uint8_t native) {
    if (!IsSingleKeyName(name)) return false;
    return RegRemoveKey(KindRoot(kind), KindPath(kind, native == 1) + L"\\" + name);
}

}  // namespace

HKEY TIESweeper::RegistrationRoot(IEPlugKind kind) { return KindRoot(kind); }

std::wstring TIESweeper::RegistrationPath(IEPlugKind kind, std::uint8_t native) { return KindPath(kind, native == 1); }

bool TIESweeper::IsRegistrationName(const std::wstring& name) { return IsSingleKeyName(name); }

bool TIESweeper::RemoveBho(const std::wstring& clsid, std::uint8_t native) {
    return RemoveKeyOf(IEPlugKind::BrowserHelperObject, clsid, native);
}

bool TIESweeper::RemoveToolbar(const std::wstring& clsid, std::uint8_t native) {
    // An empty name would be the key's default value, which is no toolbar.
    if (clsid.empty()) return false;
    return RegRemoveValue(HKEY_LOCAL_MACHINE, KindPath(IEPlugKind::Toolbar, native == 1), clsid);
}

bool TIESweeper::RemoveButton(const std::wstring& clsid, std::uint8_t native) {
    return RemoveKeyOf(IEPlugKind::ToolbarButton, clsid, native);
}

bool TIESweeper::RemoveMenuEntry(const std::wstring& name, std::uint8_t native) {
    return RemoveKeyOf(IEPlugKind::ContextMenuEntry, name, native);
}
