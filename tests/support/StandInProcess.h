#pragma once
// Stand-in browser processes for the tests: copies of browser_stand_in.exe
// (tests/support/StandIn.c) started under a browser's file name.
#include <windows.h>

#include <string>

#include "platform/UniqueHandles.h"

// A copy of the stand-in browser program started under a given file name.
// It ends by itself when released, at the latest after maxMs.
class HelperProcess {
public:
    // folder: where the copy named exeName is made (created when missing).
    // holdPath: a file or folder the process keeps open without sharing.
    HelperProcess(const std::wstring& folder, const std::wstring& exeName, const std::wstring& holdPath = L"",
                  DWORD maxMs = 30000);
    ~HelperProcess();
    HelperProcess(const HelperProcess&) = delete;
    HelperProcess& operator=(const HelperProcess&) = delete;

    bool Started() const { return started_; }
    DWORD Id() const { return id_; }
    HANDLE Handle() const { return process_.get(); }
    // Lets the process end and waits for it; true when it has ended.
    bool Release();
    // True when the process ends within ms.
    bool EndsWithin(DWORD ms) const;

private:
    UniqueHandle ready_;
    UniqueHandle release_;
    UniqueHandle process_;
    DWORD id_ = 0;
    bool started_ = false;
};
