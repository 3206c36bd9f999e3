#pragma once
// Profile folders, files, pictures and stand-in browser processes for the
// Chrome-family and Opera tests. Everything made here is removed again.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/UniqueHandles.h"
#include "support/BrowserSandbox.h"
#include "support/StandInProcess.h"
#include "support/TestFiles.h"

// A PNG picture of size x size pixels.
void WritePng(const std::wstring& path, int size);

// A scratch folder under the temporary folder, removed with its contents.
class ScratchFolder {
public:
    explicit ScratchFolder(const wchar_t* stem);
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    const std::wstring& Path() const { return path_; }  // ends in a backslash

private:
    std::wstring path_;
};
