#pragma once
// Owners for the Windows handles the program uses. Each closes its handle
// exactly once; none is copyable.
#include <windows.h>

#include <memory>
#include <type_traits>

namespace detail {
struct HKeyCloser { void operator()(HKEY k) const { if (k) RegCloseKey(k); } };
struct HandleCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) CloseHandle(h);
    }
};
struct FindCloser {
    void operator()(HANDLE h) const {
        if (h && h != INVALID_HANDLE_VALUE) FindClose(h);
    }
};
struct GdiObjectDeleter { void operator()(HGDIOBJ o) const { if (o) DeleteObject(o); } };
struct IconDestroyer { void operator()(HICON i) const { if (i) DestroyIcon(i); } };
struct ModuleFreer { void operator()(HMODULE m) const { if (m) FreeLibrary(m); } };
struct ViewUnmapper { void operator()(void* v) const { if (v) UnmapViewOfFile(v); } };
struct LocalFreer { void operator()(void* p) const { if (p) LocalFree(p); } };
struct CoTaskMemFreer { void operator()(void* p) const { if (p) CoTaskMemFree(p); } };
}  // namespace detail

using UniqueHKey = std::unique_ptr<std::remove_pointer_t<HKEY>, detail::HKeyCloser>;
using UniqueHandle = std::unique_ptr<void, detail::HandleCloser>;
using UniqueFindHandle = std::unique_ptr<void, detail::FindCloser>;
using UniqueGdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, detail::GdiObjectDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, detail::GdiObjectDeleter>;
using UniqueIcon = std::unique_ptr<std::remove_pointer_t<HICON>, detail::IconDestroyer>;
using UniqueModule = std::unique_ptr<std::remove_pointer_t<HMODULE>, detail::ModuleFreer>;
using UniqueView = std::unique_ptr<void, detail::ViewUnmapper>;
using UniqueLocal = std::unique_ptr<void, detail::LocalFreer>;
// Memory handed out by the shell or COM (item id lists, known-folder paths).
template <class T>
using UniqueCoTaskMem = std::unique_ptr<T, detail::CoTaskMemFreer>;

// A handle from CreateFile/CreateToolhelp32Snapshot may be INVALID_HANDLE_VALUE
// on failure; this keeps the owner empty in that case.
inline UniqueHandle AdoptHandle(HANDLE h) {
    return UniqueHandle(h == INVALID_HANDLE_VALUE ? nullptr : h);
}
