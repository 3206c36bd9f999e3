#include "ui/ToastLayout.h"

#include <algorithm>

#include "platform/UniqueHandles.h"
#include "ui/toolkit/OrixDpi.h"

namespace {

constexpr int kIconLeft = 15;
constexpr int kIconTextGap = 2;
constexpr int kExtraHeight = 20;
constexpr int kExtraWidth = 30;
constexpr int kPointGap = 1;
constexpr int kBottomExtension = 4;

// Moves and, where it does not fit, shrinks the window onto the monitor.
void HoldOnMonitor(RECT& window, const RECT& monitor) {
    const LONG monitorWidth = monitor.right - monitor.left;
    const LONG monitorHeight = monitor.bottom - monitor.top;
    if (window.right - window.left > monitorWidth) window.right = window.left + monitorWidth;
    if (window.bottom - window.top > monitorHeight) window.bottom = window.top + monitorHeight;
    if (window.right > monitor.right) OffsetRect(&window, monitor.right - window.right, 0);
    if (window.bottom > monitor.bottom) OffsetRect(&window, 0, monitor.bottom - window.bottom);
    if (window.left < monitor.left) OffsetRect(&window, monitor.left - window.left, 0);
    if (window.top < monitor.top) OffsetRect(&window, 0, monitor.top - window.top);
}

}  // namespace

SIZE MeasureToastText(const std::wstring& text, int maxWidth, HFONT font, bool rtl) {
    const UniqueDc dc(CreateCompatibleDC(nullptr));
    if (!dc) return {0, 0};
    const SelectedObject selected(dc.get(), font);
    RECT rect = {0, 0, maxWidth, 0};
    UINT format = DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX;
    if (rtl) format |= DT_RTLREADING;
    DrawTextW(dc.get(), text.c_str(), static_cast<int>(text.size()), &rect, format);
    return {rect.right - rect.left, rect.bottom - rect.top};
}

POINT ToastOrigin(POINT at, UINT dpi) {
    const int gap = ScaleForDpi(kPointGap, dpi);
    return {at.x + gap, at.y + gap};
}

TToastLayout LayoutToast(POINT at, SIZE textSize, SIZE iconSize, UINT dpi, const RECT& monitor) {
    const auto scale = [dpi](int design) { return ScaleForDpi(design, dpi); };
    const int height = std::max(textSize.cy, iconSize.cy) + scale(kExtraHeight);
    const int width = textSize.cx + iconSize.cx + scale(kExtraWidth);

    TToastLayout layout;
    const int iconLeft = scale(kIconLeft);
    const int iconTop = (height - iconSize.cy) / 2;
    layout.icon = {iconLeft, iconTop, iconLeft + iconSize.cx, iconTop + iconSize.cy};
    const int textLeft = iconLeft + iconSize.cx + scale(kIconTextGap);
    const int textTop = (height - textSize.cy) / 2;
    layout.text = {textLeft, textTop, textLeft + textSize.cx, textTop + textSize.cy};

    const POINT origin = ToastOrigin(at, dpi);
    layout.window = {origin.x, origin.y, origin.x + width, origin.y + height + scale(kBottomExtension)};
    HoldOnMonitor(layout.window, monitor);
    return layout;
}
