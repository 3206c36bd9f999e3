#include "app/ExecutableFolder.h"

#include "platform/PublicFuns.h"

#include <windows.h>

namespace {

std::wstring& TestOverride() {
    static std::wstring folder;
    return folder;
}

std::wstring ModuleFolder() {
    std::wstring path(MAX_PATH, L'\0');
    for (;;) {
        const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) return L"";
        if (length < path.size()) {
            path.resize(length);
            break;
        }
        path.resize(path.size() * 2);  // truncated: try a larger buffer
    }
    return path.substr(0, path.find_last_of(L'\\') + 1);
}

}  // namespace

std::wstring ExecutableFolder() {
    if (!TestOverride().empty()) return TestOverride();
    static const std::wstring folder = ModuleFolder();
    return folder;
}

void SetExecutableFolderForTests(const std::wstring& folder) {
    TestOverride() = WithTrailingBackslash(folder);
}
