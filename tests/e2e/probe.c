/* What the end-to-end driver asks Windows itself, because X cannot tell it:
 *
 *   e2e_probe windows [PID]
 *       one JSON line per visible top-level window, front to back (of process
 *       PID only, when given): handle, process, class, title, rectangle,
 *       client area on the screen, minimised, whether it is the foreground
 *       window or top-most, and every descendant with its class,
 *       window text, rectangle (screen), visibility and enabled state.
 *   e2e_probe acl readonly|full ROOT PATH 32|64
 *       makes the key's access list EVERYONE: read (protected, nothing
 *       inherited) or EVERYONE: full access (inheriting again). ROOT is HKLM
 *       or HKCU; the last argument names the registry view.
 *   e2e_probe standin EXE MAX_MS [HOLD_PATH]
 *       starts the stand-in browser process EXE (tests/support/StandIn.c)
 *       with events of its own, waits until it runs and prints
 *       "pid N release NAME"; the stand-in ends after MAX_MS, or earlier
 *       after
 *   e2e_probe release NAME
 *   e2e_probe minimize HWND
 *       minimises a window, as its task-bar button would.
 *   e2e_probe record-url FILE ADDRESS
 *       appends ADDRESS and a line break to FILE (UTF-8). The driver makes
 *       this the shell's open command of the web, mail and settings
 *       addresses, so that what the program asks the shell to open is
 *       known without a browser starting.
 *   e2e_probe list-files PATTERN
 *       one JSON string line per file name matching PATTERN, in the order
 *       FindFirstFileW and FindNextFileW return them (the order of the
 *       program's language menu).
 *
 * Exit code 0 on success, 1 when Windows refused, 2 on bad arguments. */
#include <windows.h>
#include <aclapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <wchar.h>

static void PutUtf8(const char* text) {
    DWORD written;
    WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), text, (DWORD)strlen(text), &written, NULL);
}

/* A JSON string of UTF-16 text: ASCII as it is, everything else as \uXXXX,
 * so the output never depends on a console code page. */
static void PutJsonString(const wchar_t* text) {
    char buffer[16];
    PutUtf8("\"");
    for (; *text; ++text) {
        const wchar_t c = *text;
        if (c == L'"' || c == L'\\') {
            buffer[0] = '\\';
            buffer[1] = (char)c;
            buffer[2] = 0;
        } else if (c >= 0x20 && c < 0x7F) {
            buffer[0] = (char)c;
            buffer[1] = 0;
        } else {
            snprintf(buffer, sizeof buffer, "\\u%04x", (unsigned)c);
        }
        PutUtf8(buffer);
    }
    PutUtf8("\"");
}

static void PutRect(const RECT* r) {
    char buffer[96];
    snprintf(buffer, sizeof buffer, "[%ld,%ld,%ld,%ld]", r->left, r->top, r->right, r->bottom);
    PutUtf8(buffer);
}

static void PutWindowFields(HWND window) {
    wchar_t text[1024];
    char buffer[64];
    RECT rect;
    snprintf(buffer, sizeof buffer, "\"hwnd\":%lu,\"class\":", (unsigned long)(ULONG_PTR)window);
    PutUtf8(buffer);
    text[0] = 0;
    GetClassNameW(window, text, 1024);
    PutJsonString(text);
    PutUtf8(",\"text\":");
    text[0] = 0;
    /* Other processes' controls answer WM_GETTEXT too; GetWindowTextW would
     * not ask them. */
    SendMessageTimeoutW(window, WM_GETTEXT, 1024, (LPARAM)text, SMTO_ABORTIFHUNG, 2000, NULL);
    text[1023] = 0;
    PutJsonString(text);
    GetWindowRect(window, &rect);
    PutUtf8(",\"rect\":");
    PutRect(&rect);
    snprintf(buffer, sizeof buffer, ",\"visible\":%s,\"enabled\":%s", IsWindowVisible(window) ? "true" : "false",
             IsWindowEnabled(window) ? "true" : "false");
    PutUtf8(buffer);
}

static BOOL CALLBACK PutChild(HWND child, LPARAM first) {
    PutUtf8(*(int*)first ? "{" : ",{");
    *(int*)first = 0;
    PutWindowFields(child);
    char buffer[64];
    snprintf(buffer, sizeof buffer, ",\"parent\":%lu}", (unsigned long)(ULONG_PTR)GetParent(child));
    PutUtf8(buffer);
    return TRUE;
}

static BOOL CALLBACK PutTopLevel(HWND window, LPARAM onlyPid) {
    if (!IsWindowVisible(window)) return TRUE;
    DWORD pid = 0;
    GetWindowThreadProcessId(window, &pid);
    if (onlyPid && pid != (DWORD)onlyPid) return TRUE;
    char buffer[128];
    PutUtf8("{");
    PutWindowFields(window);
    snprintf(buffer, sizeof buffer, ",\"pid\":%lu,\"iconic\":%s,\"foreground\":%s,\"topmost\":%s", pid,
             IsIconic(window) ? "true" : "false", GetForegroundWindow() == window ? "true" : "false",
             (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOPMOST) ? "true" : "false");
    PutUtf8(buffer);
    /* Where the client area starts on the screen, and its size. */
    POINT origin = {0, 0};
    ClientToScreen(window, &origin);
    RECT client;
    GetClientRect(window, &client);
    snprintf(buffer, sizeof buffer, ",\"client\":[%ld,%ld,%ld,%ld],\"children\":[", origin.x, origin.y,
             client.right, client.bottom);
    PutUtf8(buffer);
    int first = 1;
    EnumChildWindows(window, PutChild, (LPARAM)&first);
    PutUtf8("]}\n");
    return TRUE;
}

static int ListWindows(DWORD pid) {
    EnumWindows(PutTopLevel, (LPARAM)pid);
    return 0;
}

static int SetKeyAccess(const wchar_t* how, const wchar_t* rootName, const wchar_t* path, const wchar_t* view) {
    HKEY root;
    if (wcscmp(rootName, L"HKLM") == 0)
        root = HKEY_LOCAL_MACHINE;
    else if (wcscmp(rootName, L"HKCU") == 0)
        root = HKEY_CURRENT_USER;
    else
        return 2;
    REGSAM viewFlag;
    if (wcscmp(view, L"64") == 0)
        viewFlag = KEY_WOW64_64KEY;
    else if (wcscmp(view, L"32") == 0)
        viewFlag = KEY_WOW64_32KEY;
    else
        return 2;
    int readOnly;
    if (wcscmp(how, L"readonly") == 0)
        readOnly = 1;
    else if (wcscmp(how, L"full") == 0)
        readOnly = 0;
    else
        return 2;

    HKEY key;
    LONG status = RegOpenKeyExW(root, path, 0, READ_CONTROL | WRITE_DAC | viewFlag, &key);
    if (status != ERROR_SUCCESS) {
        fprintf(stderr, "e2e_probe: cannot open the key (error %ld)\n", status);
        return 1;
    }
    EXPLICIT_ACCESSW access;
    memset(&access, 0, sizeof access);
    BuildExplicitAccessWithNameW(&access, (wchar_t*)L"EVERYONE", readOnly ? KEY_READ : KEY_ALL_ACCESS, SET_ACCESS,
                                 readOnly ? NO_INHERITANCE : SUB_CONTAINERS_AND_OBJECTS_INHERIT);
    PACL acl = NULL;
    status = SetEntriesInAclW(1, &access, NULL, &acl);
    if (status == ERROR_SUCCESS) {
        const SECURITY_INFORMATION what = DACL_SECURITY_INFORMATION |
            (readOnly ? PROTECTED_DACL_SECURITY_INFORMATION : UNPROTECTED_DACL_SECURITY_INFORMATION);
        status = SetSecurityInfo(key, SE_REGISTRY_KEY, what, NULL, NULL, acl, NULL);
        LocalFree(acl);
    }
    RegCloseKey(key);
    if (status != ERROR_SUCCESS) {
        fprintf(stderr, "e2e_probe: cannot set the access list (error %ld)\n", status);
        return 1;
    }
    return 0;
}

static int StartStandIn(const wchar_t* exe, const wchar_t* maxMs, const wchar_t* holdPath) {
    wchar_t ready[64], release[64];
    const DWORD me = GetCurrentProcessId();
    swprintf(ready, 64, L"BrivoE2EReady%lu", me);
    swprintf(release, 64, L"BrivoE2ERelease%lu", me);
    HANDLE readyEvent = CreateEventW(NULL, TRUE, FALSE, ready);
    HANDLE releaseEvent = CreateEventW(NULL, TRUE, FALSE, release);
    if (!readyEvent || !releaseEvent) return 1;
    wchar_t command[2048];
    swprintf(command, 2048, L"\"%ls\" %ls %ls %ls%ls%ls%ls", exe, ready, release, maxMs, holdPath ? L" \"" : L"",
             holdPath ? holdPath : L"", holdPath ? L"\"" : L"");
    STARTUPINFOW startup;
    memset(&startup, 0, sizeof startup);
    startup.cb = sizeof startup;
    /* No standard handles: whoever reads this program's output must not
     * wait for the stand-in too. */
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process;
    if (!CreateProcessW(exe, command, NULL, NULL, FALSE, DETACHED_PROCESS, NULL, NULL, &startup, &process)) {
        fprintf(stderr, "e2e_probe: cannot start the stand-in (error %lu)\n", GetLastError());
        return 1;
    }
    HANDLE waitFor[2] = {readyEvent, process.hProcess};
    const DWORD which = WaitForMultipleObjects(2, waitFor, FALSE, 30000);
    if (which != WAIT_OBJECT_0) {
        fprintf(stderr, "e2e_probe: the stand-in did not start\n");
        return 1;
    }
    char buffer[160];
    snprintf(buffer, sizeof buffer, "pid %lu release %ls\n", process.dwProcessId, release);
    PutUtf8(buffer);
    /* The stand-in holds both events open itself from here on. */
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    CloseHandle(readyEvent);
    CloseHandle(releaseEvent);
    return 0;
}

static int Release(const wchar_t* name) {
    HANDLE event = OpenEventW(EVENT_MODIFY_STATE, FALSE, name);
    if (!event) return 1;
    SetEvent(event);
    CloseHandle(event);
    return 0;
}

static int Minimize(const wchar_t* handle) {
    HWND window = (HWND)(ULONG_PTR)wcstoul(handle, NULL, 10);
    if (!IsWindow(window)) return 1;
    ShowWindow(window, SW_MINIMIZE);
    return IsIconic(window) ? 0 : 1;
}

static int RecordUrl(const wchar_t* path, const wchar_t* address) {
    HANDLE file = CreateFileW(path, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, NULL, OPEN_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, NULL);
    if (file == INVALID_HANDLE_VALUE) return 1;
    const int length = WideCharToMultiByte(CP_UTF8, 0, address, -1, NULL, 0, NULL, NULL);
    char* text = length > 0 ? (char*)malloc((size_t)length + 1) : NULL;
    int ok = 0;
    if (text && WideCharToMultiByte(CP_UTF8, 0, address, -1, text, length, NULL, NULL) > 0) {
        text[length - 1] = '\n';
        DWORD written;
        ok = WriteFile(file, text, (DWORD)length, &written, NULL) && written == (DWORD)length;
    }
    free(text);
    CloseHandle(file);
    return ok ? 0 : 1;
}

static int ListFiles(const wchar_t* pattern) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW(pattern, &entry);
    if (find == INVALID_HANDLE_VALUE) return 0;
    do {
        PutJsonString(entry.cFileName);
        PutUtf8("\n");
    } while (FindNextFileW(find, &entry));
    FindClose(find);
    return 0;
}

int wmain(int argc, wchar_t** argv) {
    if (argc >= 2 && wcscmp(argv[1], L"windows") == 0)
        return ListWindows(argc >= 3 ? (DWORD)wcstoul(argv[2], NULL, 10) : 0);
    if (argc == 6 && wcscmp(argv[1], L"acl") == 0) return SetKeyAccess(argv[2], argv[3], argv[4], argv[5]);
    if ((argc == 4 || argc == 5) && wcscmp(argv[1], L"standin") == 0)
        return StartStandIn(argv[2], argv[3], argc == 5 ? argv[4] : NULL);
    if (argc == 3 && wcscmp(argv[1], L"release") == 0) return Release(argv[2]);
    if (argc == 3 && wcscmp(argv[1], L"minimize") == 0) return Minimize(argv[2]);
    if (argc == 4 && wcscmp(argv[1], L"record-url") == 0) return RecordUrl(argv[2], argv[3]);
    if (argc == 3 && wcscmp(argv[1], L"list-files") == 0) return ListFiles(argv[2]);
    fprintf(stderr, "usage: e2e_probe windows [PID] | acl readonly|full HKLM|HKCU PATH 32|64 | "
                    "standin EXE MAX_MS [PATH] | release NAME | minimize HWND | record-url FILE ADDRESS | list-files PATTERN\n");
    return 2;
}
