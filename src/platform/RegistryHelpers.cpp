#include "platform/RegistryHelpers.h"

#include <cwctype>
#include <optional>

#include "platform/StrUtil.h"
#include "platform/SystemInfo.h"
#include "platform/UniqueHandles.h"

namespace {

constexpr REGSAM kViewFlags = KEY_WOW64_64KEY | KEY_WOW64_32KEY;
// A multi-string is read into a buffer of this size, and only data shorter
// than kMultiStringLimit is turned into text.
constexpr DWORD kMultiStringBuffer = 64 * 1024;
constexpr DWORD kMultiStringLimit = 1024;

struct RawValue {
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

UniqueHKey OpenKey(HKEY root, const std::wstring& path, REGSAM mask, LONG* error = nullptr) {
    HKEY key = nullptr;
    const LONG result = RegOpenKeyExW(root, path.c_str(), 0, mask, &key);
    if (error) *error = result;
    return UniqueHKey(result == ERROR_SUCCESS ? key : nullptr);
}

std::optional<RawValue> QueryValue(HKEY key, const std::wstring& valueName) {
    RawValue value;
    DWORD size = 0;
    LONG result = RegQueryValueExW(key, valueName.c_str(), nullptr, &value.type, nullptr, &size);
    // The value may grow between the two calls; ask again until it fits.
    while (result == ERROR_SUCCESS || result == ERROR_MORE_DATA) {
        value.data.resize(size);
        result = RegQueryValueExW(key, valueName.c_str(), nullptr, &value.type,
                                  value.data.empty() ? nullptr : value.data.data(), &size);
        if (result == ERROR_SUCCESS) {
            value.data.resize(size);
            return value;
        }
    }
    return std::nullopt;
}

wchar_t CodeUnitAt(const BYTE* data, size_t index) {
    return static_cast<wchar_t>(data[index * 2] | (data[index * 2 + 1] << 8));
}

// UTF-16 text ending at the first NUL or at the end of the data; an odd last
// byte is not part of any code unit.
std::wstring TextUpToNul(const BYTE* data, DWORD size) {
    std::wstring text;
    for (size_t i = 0; i < size / 2; ++i) {
        const wchar_t unit = CodeUnitAt(data, i);
        if (unit == 0) break;
        text.push_back(unit);
    }
    return text;
}

// The strings of a multi-string, each ended by CR LF. The walk covers the
// first (size - 4) / 2 + 1 code units, which stops before the list's closing
// NUL; it never reaches past the data.
std::wstring MultiStringText(const BYTE* data, DWORD size) {
    if (size >= kMultiStringLimit) return {};
    const int units = (static_cast<int>(size) - 4) / 2 + 1;
    std::wstring text;
    for (int i = 0; i < units; ++i) {
        const wchar_t unit = CodeUnitAt(data, static_cast<size_t>(i));
        if (unit == 0)
            text += L"\r\n";
        else
            text.push_back(unit);
    }
    return text;
}

bool ContainsWow6432Node(const std::wstring& path) {
    static constexpr std::wstring_view kNode = L"wow6432node";
    if (path.size() < kNode.size()) return false;
    for (size_t start = 0; start + kNode.size() <= path.size(); ++start) {
        size_t i = 0;
        while (i < kNode.size() && std::towlower(path[start + i]) == kNode[i]) ++i;
        if (i == kNode.size()) return true;
    }
    return false;
}

REGSAM AccessRights(bool readOnly) { return readOnly ? KEY_READ : KEY_ALL_ACCESS; }

// A plain open reaches what the shipped 32-bit program sees without a view
// flag: its own view. A 64-bit build has to ask for that view by name.
REGSAM PlainMask(bool readOnly) { return AccessRights(readOnly) | (Is64BitProcess ? KEY_WOW64_32KEY : 0); }

// The mask of the value readers: the view rule when viewAware on 64-bit
// Windows, otherwise `fallback`.
REGSAM ReaderMask(const std::wstring& path, bool viewAware, REGSAM fallback) {
    return viewAware && IsWin64 ? ViewRuleMask(path, true) : fallback;
}

// Deletes `name` below `parent` with all its subkeys, opening and deleting
// every level with the same view flag. Relative opens without the flag would
// be redirected again by WOW64 below keys such as SOFTWARE, so the tree
// deletion of the system is not used here.
bool DeleteTree(HKEY parent, const std::wstring& name, REGSAM mask) {
    const REGSAM view = mask & kViewFlags;
    UniqueHKey key = OpenKey(parent, name, mask);
    if (!key) return false;
    std::vector<std::wstring> children;
    wchar_t child[256];  // key names are at most 255 characters
    for (DWORD i = 0;; ++i) {
        DWORD length = ARRAYSIZE(child);
        const LONG result = RegEnumKeyExW(key.get(), i, child, &length, nullptr, nullptr, nullptr, nullptr);
        if (result == ERROR_NO_MORE_ITEMS) break;
        if (result == ERROR_SUCCESS) children.emplace_back(child, length);
        else if (result != ERROR_MORE_DATA) break;
    }
    for (const std::wstring& c : children) DeleteTree(key.get(), c, mask);
    key.reset();
    return RegDeleteKeyExW(parent, name.c_str(), view, 0) == ERROR_SUCCESS;
}

using NameEnumerator = LONG (*)(HKEY key, DWORD index, std::wstring& name);

LONG EnumKeyName(HKEY key, DWORD index, std::wstring& name) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG result = RegEnumKeyExW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) name.resize(length);
    return result;
}

LONG EnumValueName(HKEY key, DWORD index, std::wstring& name) {
    DWORD length = static_cast<DWORD>(name.size());
    const LONG result = RegEnumValueW(key, index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
    if (result == ERROR_SUCCESS) name.resize(length);
    return result;
}

bool GetNames(HKEY root, const std::wstring& path, REGSAM mask, NameEnumerator enumerate,
              std::vector<std::wstring>& list) {
    UniqueHKey key = OpenKey(root, path, mask);
    if (!key) return false;
    list.clear();
    // Value names reach 16383 characters, key names 255.
    constexpr size_t kLongestName = 16384;
    size_t capacity = 256;
    for (DWORD i = 0;;) {
        std::wstring name(capacity, L'\0');
        const LONG result = enumerate(key.get(), i, name);
        if (result == ERROR_MORE_DATA && capacity < kLongestName) {
            capacity = kLongestName;
            continue;
        }
        if (result != ERROR_SUCCESS) break;
        list.push_back(std::move(name));
        ++i;
    }
    return true;
}

struct RootName {
    HKEY root;
    const wchar_t* name;
};
const RootName kRootNames[] = {
    {HKEY_CURRENT_USER, L"HKEY_CURRENT_USER"},   {HKEY_CLASSES_ROOT, L"HKEY_CLASSES_ROOT"},
    {HKEY_LOCAL_MACHINE, L"HKEY_LOCAL_MACHINE"}, {HKEY_USERS, L"HKEY_USERS"},
    {HKEY_CURRENT_CONFIG, L"HKEY_CURRENT_CONFIG"},
};

}  // namespace

REGSAM RegAccessMask(bool readOnly) { return IsWin64 ? AccessRights(readOnly) | KEY_WOW64_64KEY : PlainMask(readOnly); }

REGSAM ViewRuleMask(const std::wstring& path, bool readOnly) {
    if (IsWin64 && ContainsWow6432Node(path) && IsLegacyWow64()) return AccessRights(readOnly) | KEY_WOW64_32KEY;
    return RegAccessMask(readOnly);
}

bool RegKeyExists(HKEY root, const std::wstring& path, bool viewAware) {
    LONG error = ERROR_SUCCESS;
    const UniqueHKey key = OpenKey(root, path, viewAware ? ViewRuleMask(path, true) : PlainMask(true), &error);
    return key || error == ERROR_ACCESS_DENIED;
}

LONG RegFullAccessResult(HKEY root, const std::wstring& path) {
    LONG error = ERROR_SUCCESS;
    OpenKey(root, path, PlainMask(false), &error);
    return error;
}

RegText RegReadText(HKEY root, const std::wstring& path, const std::wstring& valueName, bool viewAware) {
    RegText result;
    const UniqueHKey key = OpenKey(root, path, ReaderMask(path, viewAware, PlainMask(true)));
    if (!key) return result;
    result.opened = true;
    const std::optional<RawValue> value = QueryValue(key.get(), valueName);
    if (!value) return result;
    // The text is always made from the value of the key opened here, so a
    // binary or multi-string value is never looked up again in another view.
    const BYTE* data = value->data.data();
    const DWORD size = static_cast<DWORD>(value->data.size());
    switch (value->type) {
    case REG_SZ:
    case REG_EXPAND_SZ:
    case REG_BINARY:
        result.text = TextUpToNul(data, size);
        break;
    case REG_DWORD:
        break;
    default:
        result.text = MultiStringText(data, size);
        break;
    }
    return result;
}

DWORD RegReadInteger(HKEY root, const std::wstring& path, const std::wstring& valueName, bool viewAware,
                     DWORD defaultValue) {
    const UniqueHKey key = OpenKey(root, path, ReaderMask(path, viewAware, RegAccessMask(true)));
    if (!key) return defaultValue;
    DWORD type = REG_NONE;
    DWORD number = 0;
    DWORD size = sizeof(number);
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(&number), &size) !=
            ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(number))
        return defaultValue;
    return number;
}

std::wstring RegReadBinaryText(HKEY root, const std::wstring& path, const std::wstring& valueName,
                               bool viewAware) {
    const UniqueHKey key = OpenKey(root, path, ReaderMask(path, viewAware, RegAccessMask(true)));
    if (!key) return {};
    const std::optional<RawValue> value = QueryValue(key.get(), valueName);
    if (!value) return {};
    return TextUpToNul(value->data.data(), static_cast<DWORD>(value->data.size()));
}

std::wstring RegReadMultiString(HKEY root, const std::wstring& path, const std::wstring& valueName) {
    const UniqueHKey key = OpenKey(root, path, PlainMask(true));
    if (!key) return {};
    std::vector<BYTE> buffer(kMultiStringBuffer);
    DWORD size = kMultiStringBuffer;
    if (RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr, buffer.data(), &size) != ERROR_SUCCESS)
        return {};
    return MultiStringText(buffer.data(), size);
}

bool RegWriteString(HKEY root, const std::wstring& path, const std::wstring& valueName, const std::wstring& text) {
    const UniqueHKey key = OpenKey(root, path, ViewRuleMask(path, false));
    if (!key) return false;
    return RegSetValueExW(key.get(), valueName.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(text.c_str()),
                          static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t))) == ERROR_SUCCESS;
}

bool RegRemoveValue(HKEY root, const std::wstring& path, const std::wstring& valueName) {
    const UniqueHKey key = OpenKey(root, path, ViewRuleMask(path, false));
    return key && RegDeleteValueW(key.get(), valueName.c_str()) == ERROR_SUCCESS;
}

bool RegRemoveKey(HKEY root, const std::wstring& fullPath) {
    if (IsBlank(fullPath)) return false;
    // Windows refuses a path that starts with a backslash; it means the root.
    const size_t start = fullPath.find_first_not_of(L'\\');
    if (start == std::wstring::npos) return false;  // only backslashes: never the root itself
    const std::wstring path = fullPath.substr(start);
    const REGSAM mask = ViewRuleMask(fullPath, false);
    const size_t lastBackslash = path.rfind(L'\\');
    if (lastBackslash != std::wstring::npos && lastBackslash >= 2 && lastBackslash + 1 < path.size()) {
        const UniqueHKey parent = OpenKey(root, path.substr(0, lastBackslash), mask);
        return parent && DeleteTree(parent.get(), path.substr(lastBackslash + 1), mask);
    }
    return DeleteTree(root, path, mask);
}

bool RegGetKeyNames(HKEY root, const std::wstring& path, std::vector<std::wstring>& list, bool readOnly,
                    bool viewAware) {
    const REGSAM mask = viewAware ? ViewRuleMask(path, readOnly) : PlainMask(readOnly);
    return GetNames(root, path, mask, EnumKeyName, list);
}

bool RegGetValueNames(HKEY root, const std::wstring& path, std::vector<std::wstring>& list, bool readOnly,
                      bool viewAware) {
    const REGSAM mask = viewAware ? RegAccessMask(readOnly) : PlainMask(readOnly);
    return GetNames(root, path, mask, EnumValueName, list);
}

HKEY RootKeyFromName(const std::wstring& name) {
    for (const RootName& r : kRootNames)
        if (CompareStringOrdinal(name.c_str(), static_cast<int>(name.size()), r.name, -1, TRUE) == CSTR_EQUAL)
            return r.root;
    return HKEY_CLASSES_ROOT;
}

void RootKeyName(HKEY root, std::wstring& name) {
    for (const RootName& r : kRootNames)
        if (r.root == root) {
            name = r.name;
            return;
        }
}
