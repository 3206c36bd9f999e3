#pragma once
// One running instance per machine. Every instance maps the same small named
// section; the first one stores the handles of its application window and
// main window there, and a later start uses them to bring that instance to
// the front instead of running itself.
#include <windows.h>

#include <cstdint>
#include <string>

#include "platform/UniqueHandles.h"

// The section's 8 bytes. Window handles are 32-bit values on every Windows,
// also in a 64-bit process, so two words hold both. No instance clears them:
// they go with the section when the last instance holding it ends.
struct InstanceRecord {
    std::uint32_t FirstAppWindow = 0;   // application window of the first instance
    std::uint32_t FirstMainWindow = 0;  // its main window, 0 until that exists
};
static_assert(sizeof(InstanceRecord) == 8);

// How long a later start waits for the first instance to take the restore
// command; it ends either way.
inline constexpr UINT kRestoreTimeLimitMs = 3000;

// The section shared by every instance of the program.
inline constexpr wchar_t kInstanceSectionName[] = L"{58E136B7-93CE-4215-A1AE-58C25222371D}";

// This process's handle to the section and its view. When the section can
// be neither opened nor created and mapped, the record has no view and every
// operation does nothing: the program then runs without the protection.
class TInstanceRecord {
public:
    // Opens the existing section, or creates it with both words 0.
    explicit TInstanceRecord(const std::wstring& sectionName);
    TInstanceRecord(const TInstanceRecord&) = delete;
    TInstanceRecord& operator=(const TInstanceRecord&) = delete;

    bool Mapped() const { return view_ != nullptr; }
    // The words as they are now; both 0 without a view.
    InstanceRecord Words() const;

    // True when another instance already runs: its application window has
    // been sent the restore command and its main window, if any, raised.
    // Otherwise this instance becomes the first one (appWindow is stored).
    bool ClaimFirstInstance(HWND appWindow);
    void RegisterMainWindow(HWND mainWindow);

private:
    InstanceRecord* Record() const { return static_cast<InstanceRecord*>(view_.get()); }

    UniqueHandle section_;
    UniqueView view_;
};

// The process-wide record on kInstanceSectionName, for the start-up sequence.
// Before OpenInstanceRecord and after CloseInstanceRecord there is no record:
// ClaimFirstInstance answers false and RegisterMainWindow does nothing.
void OpenInstanceRecord();
bool ClaimFirstInstance(HWND appWindow);
void RegisterMainWindow(HWND mainWindow);
void CloseInstanceRecord();
