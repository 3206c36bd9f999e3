#pragma once
// Looking past the file-system redirection that WOW64 applies to a 32-bit
// process (system32 -> syswow64 and the like).
#include <string>

// Switch the calling thread's redirection off and back on; both do nothing
// where nothing is redirected (32-bit Windows, a 64-bit build). Always used as
// a pair around a single check. Pairs may nest: only the outermost pair
// switches.
void DisableWowRedirection();
void RevertWowRedirection();

// Redirection off for the lifetime of the object.
class WowRedirectionOff {
public:
    WowRedirectionOff() { DisableWowRedirection(); }
    ~WowRedirectionOff() { RevertWowRedirection(); }
    WowRedirectionOff(const WowRedirectionOff&) = delete;
    WowRedirectionOff& operator=(const WowRedirectionOff&) = delete;
};

// True when a file or folder exists at path as this process sees it or, on
// 64-bit Windows, without redirection. A path without an extension is also
// tried with ".exe", ".com", ".bat", ".cmd" and ".dll".
bool PathExistsAnyView(const std::wstring& path);
