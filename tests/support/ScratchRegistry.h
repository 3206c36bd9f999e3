#pragma once
// Registry changes made by one test, undone when it ends. Every key the test
// creates below a fixed path (and every parent key that did not exist yet) is
// remembered and deleted again in the view it was made in, so the Wine prefix
// is left as it was.
#include <windows.h>

#include <string>
#include <vector>

class ScratchRegistry {
public:
    ScratchRegistry() = default;
    ScratchRegistry(const ScratchRegistry&) = delete;
    ScratchRegistry& operator=(const ScratchRegistry&) = delete;
    ~ScratchRegistry() { Restore(); }

    // Remembers the outermost part of path that does not exist yet, so that
    // whatever the code under test creates there is deleted afterwards.
    void Watch(HKEY root, const std::wstring& path, REGSAM view);
    // Creates the key (with its missing parents) and remembers it.
    void CreateKey(HKEY root, const std::wstring& path, REGSAM view);
    void SetString(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name,
                   const std::wstring& text);
    void SetNumber(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name, DWORD number);
    // A value in a key that may belong to the system: the key is kept and
    // only the value is deleted afterwards.
    void SetForeignValue(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name,
                         const std::wstring& text);

    // Deletes everything remembered, newest first; true when it is all gone.
    bool Restore();

private:
    struct Key {
        HKEY root;
        std::wstring path;
        REGSAM view;
    };
    struct Value {
        Key key;
        std::wstring name;
    };
    std::vector<Key> keys_;
    std::vector<Value> values_;
};

// Direct reads that bypass the helpers under test.
bool RawKeyExists(HKEY root, const std::wstring& path, REGSAM view);
bool RawValueExists(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name);
// "(none)" when the key or a REG_SZ value is missing.
std::wstring RawString(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name);
// -1 when the key or a REG_DWORD value is missing.
long long RawNumber(HKEY root, const std::wstring& path, REGSAM view, const std::wstring& name);

// A fresh class identifier in registry form, "{XXXXXXXX-...}".
std::wstring NewClsid();
