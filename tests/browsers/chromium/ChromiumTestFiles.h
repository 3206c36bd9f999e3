#pragma once
// Profile folders, files, pictures and stand-in browser processes for the
// Chrome-family and Opera tests. Everything made here is removed again.
#include <windows.h>

#include <string>
#include <vector>

#include "platform/UniqueHandles.h"
#include "support/StandInProcess.h"
#include "support/TestFiles.h"

// A PNG picture of size x size pixels.
void WritePng(const std::wstring& path, int size);

// The vendor folders the adapters look in ("Google", "Comodo", "RockMelt",
// "Chromium" under the local application data, "Opera Software" under the
// roaming one). Whatever the prefix holds there is moved aside for the life
// of the object and put back afterwards; what the test made is deleted.
class ProfileSandbox {
public:
    ProfileSandbox();
    ~ProfileSandbox();
    ProfileSandbox(const ProfileSandbox&) = delete;
    ProfileSandbox& operator=(const ProfileSandbox&) = delete;

    // No trailing backslash, as the shell gives them.
    const std::wstring& LocalAppData() const { return local_; }
    const std::wstring& RoamingAppData() const { return roaming_; }

    // Creates local application data + row (a row of ChromiumProfileDirs)
    // and returns it, ending in a backslash.
    std::wstring MakeChromiumProfile(const wchar_t* row) const;
    std::wstring MakeOperaProfile() const;

private:
    struct Moved {
        std::wstring original;
        std::wstring aside;
    };
    std::wstring local_;
    std::wstring roaming_;
    std::vector<std::wstring> vendors_;
    std::vector<Moved> moved_;
};

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
