#include "ToolkitTestSupport.h"

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

// Wine looks a GDI handle up by its index alone when the handle's upper
// half is 0, so every index can be asked whether an object lives there.
DWORD WineGdiObjects() {
    DWORD live = 0;
    for (UINT_PTR index = 1; index < 0x10000; ++index)
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
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
