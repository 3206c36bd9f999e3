#pragma once
// Owners for the Windows handles the program uses. Each closes its handle
// exactly once; none is copyable.
#include <windows.h>
#include <commctrl.h>

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
struct DcDeleter { void operator()(HDC dc) const { if (dc) DeleteDC(dc); } };
// A DC borrowed from a window with GetDC goes back to that window.
struct WindowDcReleaser {
    HWND window = nullptr;
    void operator()(HDC dc) const { if (dc) ReleaseDC(window, dc); }
};
struct ImageListDestroyer { void operator()(HIMAGELIST l) const { if (l) ImageList_Destroy(l); } };
struct MenuDestroyer { void operator()(HMENU m) const { if (m) DestroyMenu(m); } };
struct WindowDestroyer { void operator()(HWND w) const { if (w && IsWindow(w)) DestroyWindow(w); } };
}  // namespace detail

using UniqueHKey = std::unique_ptr<std::remove_pointer_t<HKEY>, detail::HKeyCloser>;
using UniqueHandle = std::unique_ptr<void, detail::HandleCloser>;
using UniqueFindHandle = std::unique_ptr<void, detail::FindCloser>;
using UniqueGdiObject = std::unique_ptr<std::remove_pointer_t<HGDIOBJ>, detail::GdiObjectDeleter>;
using UniqueFont = std::unique_ptr<std::remove_pointer_t<HFONT>, detail::GdiObjectDeleter>;
using UniqueBitmap = std::unique_ptr<std::remove_pointer_t<HBITMAP>, detail::GdiObjectDeleter>;
using UniqueBrush = std::unique_ptr<std::remove_pointer_t<HBRUSH>, detail::GdiObjectDeleter>;
using UniquePen = std::unique_ptr<std::remove_pointer_t<HPEN>, detail::GdiObjectDeleter>;
using UniqueRegion = std::unique_ptr<std::remove_pointer_t<HRGN>, detail::GdiObjectDeleter>;
// A memory DC made with CreateCompatibleDC.
using UniqueDc = std::unique_ptr<std::remove_pointer_t<HDC>, detail::DcDeleter>;
// A window's DC from GetDC/GetWindowDC: UniqueWindowDc(GetDC(w), {w}).
using UniqueWindowDc = std::unique_ptr<std::remove_pointer_t<HDC>, detail::WindowDcReleaser>;
using UniqueImageList = std::unique_ptr<std::remove_pointer_t<HIMAGELIST>, detail::ImageListDestroyer>;
using UniqueMenu = std::unique_ptr<std::remove_pointer_t<HMENU>, detail::MenuDestroyer>;
using UniqueWindow = std::unique_ptr<std::remove_pointer_t<HWND>, detail::WindowDestroyer>;
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

// Selects an object into a DC for one scope and puts the previous one back,
// so that no object stays selected past the code that drew with it.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(object ? SelectObject(dc, object) : nullptr) {}
    ~SelectedObject() { if (previous_) SelectObject(dc_, previous_); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ previous_;
};
