#pragma once
// Finding and ending a browser's processes by executable file name. Names
// are compared exactly, letter case included ("Chrome.exe" is not
// "chrome.exe"); each call takes a fresh process snapshot, and a snapshot
// that cannot be taken counts as one without processes.
#include <windows.h>

#include <string>

// The id of the first process with that executable name; 0 when none.
DWORD FindProcessByName(const std::wstring& exeName);

// Terminates every process with that executable name that can be opened, and
// does not wait for them to end. Reports nothing.
void KillProcessesByName(const std::wstring& exeName);
