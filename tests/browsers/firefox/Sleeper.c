/* Stand-in for a running browser: copied under the browser's executable
   name, it sleeps for the milliseconds given (30 s at most) and ends. */
#include <stdlib.h>
#include <wchar.h>
#include <windows.h>

int wmain(int argc, wchar_t** argv) {
    DWORD ms = argc > 1 ? (DWORD)wcstoul(argv[1], NULL, 10) : 30000;
    Sleep(ms > 30000 ? 30000 : ms);
    return 0;
}
