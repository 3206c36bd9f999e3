#include "ui/FrmWait.h"

#include "platform/UniqueHandles.h"
#include "ui/ImgModule.h"
#include "ui/toolkit/OrixImageList.h"

namespace {

constexpr wchar_t kClassName[] = L"TfrmWait";
constexpr UINT_PTR kAnimationTimer = 1;
constexpr int kDesignWidth = 800;
constexpr int kDesignHeight = 500;
constexpr int kFrameWidth = 190;
constexpr int kFrameHeight = 220;

// A top-down 32-bit DIB, all pixels clear (CreateDIBSection zeroes it).
UniqueBitmap ClearBitmap(int width, int height) {
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    void* bits = nullptr;
    return UniqueBitmap(CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
}

}  // namespace

TfrmWait::TfrmWait() = default;

TfrmWait::~TfrmWait() {
    if (HWND window = Handle()) DestroyWindow(window);
}

bool TfrmWait::CreateOver(HWND over) {
    over_ = over;
    SetName(L"frmWait");
    Frame().TitleHeight = 0;
    Frame().ShowMenuButton = false;
    Frame().ShowCloseButton = false;
    // Centred on the window it waits over, or on the screen.
    RECT target;
    if (!over || !GetWindowRect(over, &target)) {
        target = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    }
    const POINT centre = {(target.left + target.right) / 2, (target.top + target.bottom) / 2};
    const UINT dpi = MonitorDpiAt(centre);
    const int width = ScaleForDpi(kDesignWidth, dpi);
    const int height = ScaleForDpi(kDesignHeight, dpi);
    const RECT bounds = {centre.x - width / 2, centre.y - height / 2, centre.x - width / 2 + width,
                         centre.y - height / 2 + height};
    // A class of its own without a drop shadow: only the picture shows.
    // Owned by the window it covers, so that it stays above it.
    HWND window = CreateTopLevel(kClassName, CS_DBLCLKS, WS_POPUP, WS_EX_LAYERED | WS_EX_TOOLWINDOW, bounds, over,
                                 L"");
    if (!window) return false;

    TOrixImageList::CreateArgs listArgs;
    listArgs.name = L"mglst1";
    listArgs.width = kFrameWidth;
    listArgs.height = kFrameHeight;
    auto& frames = Add<TOrixImageList>(listArgs);
    for (int n = 0; n < kWaitFrameCount; ++n) frames.Add(ImgModule().PictureForDpi(WaitFrame(n), dpi));

    OnClick = [](TOrixControl& self) { static_cast<TfrmWait&>(self).Close(); };
    SetTimer(window, kAnimationTimer, kFrameMs, nullptr);
    return true;
}

UniqueBitmap TfrmWait::PaintFrame(const TOrixStrip& picture, int width, int height, UINT dpi) {
    UniqueBitmap bitmap = ClearBitmap(width, height);
    const UniqueDc memory(CreateCompatibleDC(nullptr));
    if (!bitmap || !memory) return {};
    const SelectedObject selected(memory.get(), bitmap.get());
    const int w = ScaleForDpi(kFrameWidth, dpi);
    const int h = ScaleForDpi(kFrameHeight, dpi);
    const int x = (width - w) / 2;
    const int y = (height - h) / 2;
    picture.Draw(memory.get(), {x, y, x + w, y + h}, 0);
    GdiFlush();
    return bitmap;
}

void TfrmWait::DrawNextFrame() {
    // The window covers the window it waits over, so that the picture sits
    // in that window's middle whatever its size.
    RECT area;
    if (!over_ || !IsWindow(over_) || !GetWindowRect(over_, &area)) GetWindowRect(Handle(), &area);
    const int width = area.right - area.left;
    const int height = area.bottom - area.top;
    auto* frames = dynamic_cast<TOrixImageList*>(FindComponent(L"mglst1"));
    if (!frames || width <= 0 || height <= 0) return;

    const int frame = frameCounter_ % kLoopFrames;
    const UniqueBitmap bitmap =
        PaintFrame(frames->Picture(frame), width, height, over_ ? WindowDpi(over_) : Dpi());
    const UniqueDc memory(CreateCompatibleDC(nullptr));
    if (!bitmap || !memory) return;
    {
        const SelectedObject selected(memory.get(), bitmap.get());
        POINT position = {area.left, area.top};
        SIZE size = {width, height};
        POINT source = {0, 0};
        BLENDFUNCTION blend = {AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
        const UniqueWindowDc screen(GetDC(nullptr), {nullptr});
        UpdateLayeredWindow(Handle(), screen.get(), &position, &size, memory.get(), &source, 0, &blend, ULW_ALPHA);
    }
    ++frameCounter_;
    if (OnFrame) OnFrame(*this, frame);
}

void TfrmWait::StopTimer() {
    if (Handle()) KillTimer(Handle(), kAnimationTimer);
}

void TfrmWait::HandleTimer(UINT_PTR id) {
    if (id == kAnimationTimer) DrawNextFrame();
}

LRESULT TfrmWait::WndProc(UINT msg, WPARAM wp, LPARAM lp) {
    if (msg == WM_PAINT) {
        // The content is the last frame given to UpdateLayeredWindow; the
        // window itself has nothing to paint (and would be asked forever,
        // keeping the animation's timer from ever coming).
        ValidateRect(Handle(), nullptr);
        return 0;
    }
    if (msg == WM_CLOSE || msg == WM_DESTROY) StopTimer();
    return TOrixForm::WndProc(msg, wp, lp);
}
