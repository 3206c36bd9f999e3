/* A stand-in for a browser process in the tests: copied under names such as
 * "chrome.exe", it signals that it runs and then waits until the test
 * releases it or the time is up, so it always ends by itself.
 *
 *   TestHelper READY_EVENT RELEASE_EVENT MAX_MS [PATH]
 *
 * With PATH it first opens that file or folder without any sharing and
 * keeps it open while it waits. Exit code 0, or 2 when PATH cannot be opened
 * or an event is missing. */
#include <windows.h>
#include <wchar.h>

int wmain(int argc, wchar_t** argv) {
    if (argc < 4) return 2;
    HANDLE ready = OpenEventW(EVENT_MODIFY_STATE, FALSE, argv[1]);
    HANDLE release = OpenEventW(SYNCHRONIZE, FALSE, argv[2]);
    if (!ready || !release) return 2;
    HANDLE held = INVALID_HANDLE_VALUE;
    if (argc > 4) {
        held = CreateFileW(argv[4], GENERIC_READ, 0, NULL, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, NULL);
        if (held == INVALID_HANDLE_VALUE) return 2;
    }
    SetEvent(ready);
    WaitForSingleObject(release, (DWORD)wcstoul(argv[3], NULL, 10));
    if (held != INVALID_HANDLE_VALUE) CloseHandle(held);
    CloseHandle(ready);
    CloseHandle(release);
    return 0;
}
