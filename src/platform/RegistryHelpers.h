#pragma once
// Registry access in the 64-bit and 32-bit views of 64-bit Windows. Every
// helper reads a key that does not open as absent (empty text, the default
// integer, an untouched list, false) and none creates a key.
#include <windows.h>

#include <string>
#include <vector>

// Read or full access, in the 64-bit view on 64-bit Windows.
REGSAM RegAccessMask(bool readOnly);
// The view rule of the view-aware helpers: a path naming "wow6432node" (any
// case) goes to the 32-bit view on legacy WOW64 (6.0, 5.2); every other path
// gets RegAccessMask. On Windows 7 and later a literal Wow6432Node path is
// therefore opened in the 64-bit view, where it reaches the 32-bit data.
REGSAM ViewRuleMask(const std::wstring& path, bool readOnly);

struct RegText {
    std::wstring text;
    bool opened = false;  // the key opened, whether or not the value exists
};

// True when the key opens for reading, or exists but denies reading.
bool RegKeyExists(HKEY root, const std::wstring& path, bool viewAware);
// Opens the key with full access in the process's own (32-bit) view and
// closes it again: the error of that open, ERROR_SUCCESS when it opened.
LONG RegFullAccessResult(HKEY root, const std::wstring& path);

// The value as text: strings as stored (not expanded), binary data as UTF-16
// up to the first NUL, a 32-bit integer as empty text, any other type (such
// as a multi-string) as its strings each followed by CR LF. Without viewAware
// the key is read in the process's own (32-bit) view.
RegText RegReadText(HKEY root, const std::wstring& path, const std::wstring& valueName, bool viewAware);
// A 32-bit integer value, else defaultValue. Without viewAware this reads the
// 64-bit view on 64-bit Windows, unlike RegReadText.
DWORD RegReadInteger(HKEY root, const std::wstring& path, const std::wstring& valueName, bool viewAware,
                     DWORD defaultValue);
// The value's bytes as UTF-16 text ending at the first NUL. Views as RegReadInteger.
std::wstring RegReadBinaryText(HKEY root, const std::wstring& path, const std::wstring& valueName,
                               bool viewAware);
// A multi-string as its strings each followed by CR LF; empty for 1024 bytes
// of data or more. Always reads the process's own (32-bit) view.
std::wstring RegReadMultiString(HKEY root, const std::wstring& path, const std::wstring& valueName);

// Writes a string value into an existing key; a missing key is left missing.
// True when the value was written.
bool RegWriteString(HKEY root, const std::wstring& path, const std::wstring& valueName, const std::wstring& text);
bool RegRemoveValue(HKEY root, const std::wstring& path, const std::wstring& valueName);
// Deletes a key with everything under it. A leading backslash is taken as the
// root itself; an empty or blank path deletes nothing and answers false.
bool RegRemoveKey(HKEY root, const std::wstring& fullPath);

// Replace the list with the key's direct subkey names / value names in the
// order Windows enumerates them; false with the list untouched when the key
// does not open. RegGetValueNames ignores the Wow6432Node rule.
bool RegGetKeyNames(HKEY root, const std::wstring& path, std::vector<std::wstring>& list, bool readOnly,
                    bool viewAware);
bool RegGetValueNames(HKEY root, const std::wstring& path, std::vector<std::wstring>& list, bool readOnly,
                      bool viewAware);

// "HKEY_LOCAL_MACHINE" and the other four root names, any letter case;
// anything else gives HKEY_CLASSES_ROOT.
HKEY RootKeyFromName(const std::wstring& name);
// Sets `name` to the root's name; any other root leaves it unchanged.
void RootKeyName(HKEY root, std::wstring& name);
