#include "app/RunOnce.h"

#include <memory>

namespace {

// Handles keep their value in the low 32 bits; a 64-bit process widens them
// again with sign extension, as Windows does.
std::uint32_t HandleWord(HWND window) {
    return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window));
}

HWND WindowFromWord(std::uint32_t word) {
    return reinterpret_cast<HWND>(static_cast<std::intptr_t>(static_cast<std::int32_t>(word)));
}

void* MapWholeSection(HANDLE section) {
    return section ? MapViewOfFile(section, FILE_MAP_READ | FILE_MAP_WRITE, 0, 0, 0) : nullptr;
}

// Brings the first instance to the front: it restores itself on the restore
// command, and its main window is lifted above every other window without
// being moved or resized. A first instance that does not answer keeps this
// one waiting no longer than the time limit, and its window is lifted
// without waiting for it.
void BringToFront(const InstanceRecord& first) {
    DWORD_PTR ignored = 0;
    SendMessageTimeoutW(WindowFromWord(first.FirstAppWindow), WM_SYSCOMMAND, SC_RESTORE, 0,
                        SMTO_ABORTIFHUNG | SMTO_BLOCK, kRestoreTimeLimitMs, &ignored);
    if (first.FirstMainWindow == 0) return;
    const HWND main = WindowFromWord(first.FirstMainWindow);
    constexpr UINT kLift = SWP_NOMOVE | SWP_NOSIZE | SWP_ASYNCWINDOWPOS;
    SetWindowPos(main, HWND_TOPMOST, 0, 0, 0, 0, kLift);
    SetWindowPos(main, HWND_NOTOPMOST, 0, 0, 0, 0, kLift);
    // This process was just started by the user, so it may hand the
    // foreground on.
    SetForegroundWindow(main);
}

std::unique_ptr<TInstanceRecord>& ProcessRecord() {
    static std::unique_ptr<TInstanceRecord> record;
    return record;
}

}  // namespace

TInstanceRecord::TInstanceRecord(const std::wstring& sectionName) {
    section_.reset(OpenFileMappingW(FILE_MAP_ALL_ACCESS, FALSE, sectionName.c_str()));
    if (section_) {
        view_.reset(MapWholeSection(section_.get()));
    } else {
        const HANDLE created = CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0,
                                                  sizeof(InstanceRecord), sectionName.c_str());
        // Another instance may have created it since the open above; its
        // words must survive.
        const bool createdHere = created && GetLastError() != ERROR_ALREADY_EXISTS;
        section_.reset(created);
        view_.reset(MapWholeSection(section_.get()));
        if (view_ && createdHere) *Record() = InstanceRecord{};
    }
    if (!view_) section_.reset();
}

InstanceRecord TInstanceRecord::Words() const { return view_ ? *Record() : InstanceRecord{}; }

bool TInstanceRecord::ClaimFirstInstance(HWND appWindow) {
    if (!view_) return false;
    const InstanceRecord first = *Record();
    if (first.FirstAppWindow == 0) {
        Record()->FirstAppWindow = HandleWord(appWindow);
        return false;
    }
    BringToFront(first);
    return true;
}

void TInstanceRecord::RegisterMainWindow(HWND mainWindow) {
    if (view_) Record()->FirstMainWindow = HandleWord(mainWindow);
}

void OpenInstanceRecord() { ProcessRecord() = std::make_unique<TInstanceRecord>(kInstanceSectionName); }

bool ClaimFirstInstance(HWND appWindow) {
    return ProcessRecord() && ProcessRecord()->ClaimFirstInstance(appWindow);
}

void RegisterMainWindow(HWND mainWindow) {
    if (ProcessRecord()) ProcessRecord()->RegisterMainWindow(mainWindow);
}

void CloseInstanceRecord() { ProcessRecord().reset(); }
