#pragma once
// Owner of a WinINet session or address handle (kept apart from
// platform/UniqueHandles.h so that only the fetch code sees <wininet.h>).
#include <windows.h>
#include <wininet.h>

#include <memory>

namespace detail {
struct InternetCloser {
    void operator()(HINTERNET h) const { if (h) InternetCloseHandle(h); }
};
}  // namespace detail

using UniqueInternetHandle = std::unique_ptr<void, detail::InternetCloser>;
