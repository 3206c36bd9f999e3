#pragma once
// One write of the program into a browser's extension policy: which registry
// value it was, what it held before and what it holds now. Every policy
// write is made through ApplyPolicyChange (ExtensionPolicy.h) from such a
// record, so a journal can keep the records and take a change back by
// applying Reversed(change). No Windows here.
#include <optional>
#include <string>

// The registry view a change was made in: the 64-bit view on 64-bit Windows
// (where the 64-bit browsers read their policies), the only one elsewhere.
enum class PolicyView { Native64, Own };

struct PolicyChange {
    // Below HKEY_LOCAL_MACHINE, such as
    // "SOFTWARE\Policies\BraveSoftware\Brave\ExtensionInstallBlocklist".
    std::wstring key;
    PolicyView view = PolicyView::Native64;
    // "1", "2", ... in a list key; "ExtensionSettings" in the browser's key.
    std::wstring valueName;
    // A string value (REG_SZ); nullopt: the value was absent / is deleted.
    std::optional<std::wstring> oldData;
    std::optional<std::wstring> newData;
};

// The change that takes this one back: old and new data swapped.
inline PolicyChange Reversed(const PolicyChange& change) {
    PolicyChange back = change;
    back.oldData = change.newData;
    back.newData = change.oldData;
    return back;
}

inline bool operator==(const PolicyChange& a, const PolicyChange& b) {
    return a.key == b.key && a.view == b.view && a.valueName == b.valueName && a.oldData == b.oldData &&
           a.newData == b.newData;
}
