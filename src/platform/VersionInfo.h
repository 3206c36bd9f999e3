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
