#pragma once
// The fixed part of a file's version resource.
#include <windows.h>

#include <string>

// The first eleven 32-bit words of VS_FIXEDFILEINFO, in its order.
struct TFixedFileInfo {
    DWORD words[11] = {};  // signature ... file subtype

    DWORD Signature() const { return words[0]; }
    DWORD FileVersionMS() const { return words[2]; }
    DWORD FileVersionLS() const { return words[3]; }
    DWORD ProductVersionMS() const { return words[4]; }
    DWORD ProductVersionLS() const { return words[5]; }
};

// Fills the record from the file's version resource; leaves it untouched when
// the file has none or its root block cannot be read.
void GetFixedFileInfo(const std::wstring& file, TFixedFileInfo& record);

// The program version as the windows and the advertisement request show it:
// major "." minor release "." build, each in decimal without leading zeros,
// minor and release written one after the other (1.0.2.50 gives "1.02.50").
std::wstring DisplayVersion(const TFixedFileInfo& info);
// DisplayVersion of the running program's own file; empty without a version
// resource.
std::wstring ProgramDisplayVersion();
// The running program's own record; all zero without a version resource.
TFixedFileInfo ProgramFileInfo();
// The build: the fourth component of the program's file version (50 for
// 1.0.2.50); 0 without a version resource.
int ProgramBuild();
