#include "ConsoleText.h"

#include <windows.h>

#include <string>

#include "app/LanguageLookup.h"
#include "platform/Utf.h"

namespace {

void Print(DWORD which, std::string_view utf8) {
    const HANDLE out = GetStdHandle(which);
    if (out == nullptr || out == INVALID_HANDLE_VALUE || utf8.empty()) return;
    DWORD mode = 0;
    if (GetConsoleMode(out, &mode)) {
        const std::wstring wide = ToWide(utf8);
        DWORD written = 0;
        WriteConsoleW(out, wide.data(), static_cast<DWORD>(wide.size()), &written, nullptr);
        return;
    }
    std::size_t done = 0;
    while (done < utf8.size()) {
        DWORD written = 0;
        if (!WriteFile(out, utf8.data() + done, static_cast<DWORD>(utf8.size() - done), &written, nullptr) ||
            written == 0)
            return;
        done += written;
    }
}

}  // namespace

void PrepareConsole() {
    SetConsoleOutputCP(CP_UTF8);
    SetConsoleCP(CP_UTF8);
}

void PrintOut(std::string_view utf8) { Print(STD_OUTPUT_HANDLE, utf8); }

void PrintError(std::string_view utf8) { Print(STD_ERROR_HANDLE, utf8); }

std::string Message(const wchar_t* key, const wchar_t* english) {
    return ToUtf8(Translate(L"Messages", key, english));
}

CliExit Refuse(CliExit code, std::string_view text) {
    PrintError("bpmcli: " + std::string(text) + "\r\n");
    return code;
}
