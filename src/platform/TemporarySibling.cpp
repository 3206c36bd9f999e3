#include "platform/TemporarySibling.h"

#include <windows.h>

#include <iterator>
#include <random>

#include "platform/UniqueHandles.h"

namespace {

constexpr wchar_t kMark[] = L".brivo-tmp-";
constexpr int kRandomLength = 8;

std::wstring FolderOf(const std::wstring& path) {
    const std::size_t slash = path.find_last_of(L"\\/");
    return slash == std::wstring::npos ? std::wstring() : path.substr(0, slash + 1);
}

}  // namespace

std::wstring TemporarySiblingPath(const std::wstring& target) {
    static constexpr wchar_t kLetters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    thread_local std::mt19937 generator{std::random_device{}()};
    std::uniform_int_distribution<int> pick(0, static_cast<int>(std::size(kLetters)) - 2);
    std::wstring path = target + kMark;
    for (int i = 0; i < kRandomLength; ++i) path += kLetters[pick(generator)];
    return path;
}

void RemoveStaleTemporarySiblings(const std::wstring& target) {
    const std::wstring folder = FolderOf(target);
    const std::wstring prefix = target.substr(folder.size()) + kMark;
    WIN32_FIND_DATAW found{};
    const UniqueFindHandle search(FindFirstFileW((target + kMark + L"*").c_str(), &found));
    if (!search || search.get() == INVALID_HANDLE_VALUE) return;
    do {
        // The search also matches short names; only the exact form is ours.
        const std::wstring name = found.cFileName;
        if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) continue;
        if (name.size() != prefix.size() + kRandomLength ||
            CompareStringOrdinal(name.c_str(), static_cast<int>(prefix.size()), prefix.c_str(),
                                 static_cast<int>(prefix.size()), TRUE) != CSTR_EQUAL)
            continue;
        DeleteFileW((folder + name).c_str());
    } while (FindNextFileW(search.get(), &found));
}
