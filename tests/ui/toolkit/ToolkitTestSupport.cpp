#include "ToolkitTestSupport.h"

#include <winternl.h>

#include <atomic>
#include <thread>
#include <vector>

#include "ui/toolkit/OrixMessageLoop.h"

TOrixStrip SolidStrip(int width, int height, std::initializer_list<COLORREF> colors) {
    const int slices = static_cast<int>(colors.size());
    std::vector<uint32_t> pixels(static_cast<size_t>(width) * slices * height);
    int slice = 0;
    for (COLORREF c : colors) {
        const uint32_t argb = 0xFF000000u | (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x) pixels[static_cast<size_t>(y) * width * slices + slice * width + x] = argb;
        ++slice;
    }
    return {TOrixBitmap::FromPixels(width * slices, height, pixels), slices};
}

bool PumpUntil(const std::function<bool()>& condition, unsigned timeoutMs) {
    const ULONGLONG deadline = GetTickCount64() + timeoutMs;
    for (;;) {
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (OrixPreTranslateMessage(message)) continue;
            TranslateMessage(&message);
            DispatchMessageW(&message);
        }
        if (condition()) return true;
        if (GetTickCount64() >= deadline) return false;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
}

void PumpFor(unsigned milliseconds) { PumpUntil([] { return false; }, milliseconds); }

void WhilePumping(const std::function<void()>& input) {
    std::atomic<bool> done{false};
    std::thread worker([&] {
        input();
        done = true;
    });
    PumpUntil([&] { return done.load(); }, 20000);
    worker.join();
    PumpFor(300);
}

void MoveMouse(POINT screen) {
    SetCursorPos(screen.x, screen.y);
    Sleep(60);
}

void MouseButton(bool down) {
    INPUT input = {};
    input.type = INPUT_MOUSE;
    input.mi.dwFlags = down ? MOUSEEVENTF_LEFTDOWN : MOUSEEVENTF_LEFTUP;
    SendInput(1, &input, sizeof(input));
    Sleep(60);
}

void PressKey(WORD key, bool down) {
    INPUT input = {};
    input.type = INPUT_KEYBOARD;
    input.ki.wVk = key;
    input.ki.dwFlags = down ? 0 : KEYEVENTF_KEYUP;
    SendInput(1, &input, sizeof(input));
    Sleep(40);
}

void TypeKey(WORD key) {
    PressKey(key, true);
    PressKey(key, false);
}

COLORREF PixelAt(HWND window, int x, int y) {
    HDC dc = GetDC(window);
    const COLORREF color = GetPixel(dc, x, y);
    ReleaseDC(window, dc);
    return color;
}

POINT ClientToScreenPoint(HWND window, int x, int y) {
    POINT p = {x, y};
    ClientToScreen(window, &p);
    return p;
}

namespace {

// Wine's GDI handle table entry (its ntgdi.h): 24 bytes; a Type of 0 is free.
#pragma pack(push, 1)
struct WineGdiEntry {
    unsigned long long object;
    unsigned long owner;
    unsigned short unique;
    unsigned char type;
    unsigned char flags;
    unsigned long long user;
};
#pragma pack(pop)
constexpr size_t kWineGdiEntries = 0x10000;

DWORD WineGdiObjects() {
    // PEB::GdiSharedHandleTable of a 32-bit process.
    const auto* peb = reinterpret_cast<const unsigned char*>(NtCurrentTeb()->ProcessEnvironmentBlock);
    const auto* table = *reinterpret_cast<const WineGdiEntry* const*>(peb + 0x94);
    if (!table) return 0;
    DWORD live = 0;
    for (size_t i = 0; i < kWineGdiEntries; ++i) live += table[i].type != 0;
    return live;
}

BOOL CALLBACK CountChild(HWND, LPARAM count) {
    ++*reinterpret_cast<DWORD*>(count);
    return TRUE;
}

BOOL CALLBACK CountTopLevel(HWND window, LPARAM count) {
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != GetCurrentProcessId()) return TRUE;
    ++*reinterpret_cast<DWORD*>(count);
    EnumChildWindows(window, CountChild, count);
    return TRUE;
}

}  // namespace

GuiObjectCounts CountGuiObjects() {
    GuiObjectCounts counts;
    counts.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    counts.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
    if (counts.gdi == 0 && counts.user == 0) {
        counts.gdi = WineGdiObjects();
        EnumWindows(CountTopLevel, reinterpret_cast<LPARAM>(&counts.user));
    }
    return counts;
}
