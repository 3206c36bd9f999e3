#include "ui/FrmNews.h"

#include "app/LanguageFonts.h"
#include "app/LanguageLookup.h"
#include "ui/NewsWindowLayout.h"
#include "ui/WebBrowserHost.h"

namespace {

constexpr wchar_t kClassName[] = L"BrivoNewsWindow";
constexpr UINT_PTR kSlideTimer = 1;
constexpr UINT_PTR kFadeTimer = 2;
constexpr COLORREF kCaptionColour = RGB(0x1E, 0x5A, 0xB4);
constexpr COLORREF kFrameColour = RGB(0x16, 0x44, 0x88);

NewsBrowserFactory& Factory() {
    static NewsBrowserFactory factory = [] { return CreateWebBrowserControl(); };
    return factory;
}

std::unique_ptr<TFrmNews>& TheWindow() {
    static std::unique_ptr<TFrmNews> window;
    return window;
}

RECT WorkArea() {
    RECT work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    return work;
}

SIZE WindowSize(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return {r.right - r.left, r.bottom - r.top};
}

}  // namespace

void SetNewsBrowserFactory(NewsBrowserFactory factory) { Factory() = std::move(factory); }

TFrmNews::TFrmNews() = default;

TFrmNews::~TFrmNews() {
    browser_.reset();
    if (window_) DestroyWindow(window_);
}

TFrmNews& TFrmNews::Instance() {
    if (!TheWindow()) TheWindow() = std::make_unique<TFrmNews>();
    TheWindow()->EnsureWindow();
    return *TheWindow();
}

bool TFrmNews::Exists() { return TheWindow() != nullptr; }

bool TFrmNews::EnsureWindow() {
    if (window_) return true;
    static const bool registered = [] {
        WNDCLASSEXW wc{sizeof(wc)};
        wc.lpfnWndProc = WndProc;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
        wc.lpszClassName = kClassName;
        return RegisterClassExW(&wc) != 0;
    }();
    if (!registered) return false;
    window_ = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_TOPMOST | WS_EX_LAYERED, kClassName, L"Newsletter",
                              WS_POPUP | WS_CLIPCHILDREN, 0, 0, kNewsDesignWidth, kNewsDesignHeight, nullptr,
                              nullptr, GetModuleHandleW(nullptr), this);
    if (!window_) return false;
    SetLayeredWindowAttributes(window_, 0, 255, LWA_ALPHA);
    browser_ = Factory() ? Factory()() : nullptr;
    if (browser_) {
        if (browser_->Create(window_)) {
            browser_->OnDocumentComplete = [this] { DocumentComplete(); };
            const NewsBox box = NewsBrowserBox(kNewsDesignWidth, kNewsDesignHeight);
            browser_->SetBounds({box.left, box.top, box.left + box.width, box.top + box.height});
        } else {
            browser_.reset();
        }
    }
    return true;
}

void TFrmNews::ApplyFormSize() {
    const SIZE now = WindowSize(window_);
    const NewsBox size = NewsWindowSize(FormWidth, FormHeight, now.cx, now.cy);
    SetWindowPos(window_, nullptr, 0, 0, size.width, size.height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrmNews::PlaceBelowWorkArea() {
    const RECT work = WorkArea();
    const SIZE size = WindowSize(window_);
    const NewsBox place = NewsStartPlace(work.right, work.bottom, size.cx, size.cy);
    SetWindowPos(window_, nullptr, place.left, place.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void TFrmNews::Start() {
    LOGFONTW lf{};
    HDC screen = GetDC(nullptr);
    lf.lfHeight = -MulDiv(GetLanguageFontSize(), GetDeviceCaps(screen, LOGPIXELSY), 72);
    ReleaseDC(nullptr, screen);
    lf.lfWeight = FW_BOLD;
    lf.lfCharSet = GetLanguageCharset();
    lstrcpynW(lf.lfFaceName, GetLanguageFontName().c_str(), LF_FACESIZE);
    font_.reset(CreateFontIndirectW(&lf));
    caption_ = Translate(L"Message", L"Newsletter", L"Newsletter");
    SetWindowTextW(window_, caption_.c_str());
    KillTimer(window_, kSlideTimer);
    KillTimer(window_, kFadeTimer);
    sliding_ = resting_ = false;
    alpha_ = 255;
    SetLayeredWindowAttributes(window_, 0, 255, LWA_ALPHA);
    InvalidateRect(window_, nullptr, TRUE);
    // Without a browser there is no document and so no body.
    if (!browser_) {
        Close();
        return;
    }
    browser_->Navigate(Url);
}

void TFrmNews::DocumentComplete() {
    if (!browser_ || !browser_->StyleBody()) {
        Close();
        return;
    }
    const SIZE size = WindowSize(window_);
    const NewsBox box = NewsBrowserBox(size.cx, size.cy);
    browser_->SetBounds({box.left, box.top, box.left + box.width, box.top + box.height});
    ShowWindow(window_, SW_SHOWNOACTIVATE);
    sliding_ = true;
    SetTimer(window_, kSlideTimer, kNewsSlideMs, nullptr);
}

void TFrmNews::SlideTick() {
    RECT r{};
    GetWindowRect(window_, &r);
    int top = r.top;
    const bool arrived = NewsSlideTick(top, WorkArea().bottom, r.bottom - r.top);
    SetWindowPos(window_, nullptr, r.left, top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (!arrived) return;
    KillTimer(window_, kSlideTimer);
    sliding_ = false;
    resting_ = true;
    SetTimer(window_, kFadeTimer, kNewsRestMs, nullptr);
}

void TFrmNews::FadeTick() {
    if (resting_) {
        // The rest is over: the fade runs at its own pace.
        resting_ = false;
        SetTimer(window_, kFadeTimer, kNewsFadeMs, nullptr);
    }
    const bool done = NewsFadeTick(alpha_);
    SetLayeredWindowAttributes(window_, 0, static_cast<BYTE>(alpha_), LWA_ALPHA);
    if (done) Close();
}

void TFrmNews::Close() {
    KillTimer(window_, kSlideTimer);
    KillTimer(window_, kFadeTimer);
    sliding_ = resting_ = false;
    ShowWindow(window_, SW_HIDE);
}

void TFrmNews::Paint(HDC dc) {
    RECT client{};
    GetClientRect(window_, &client);
    RECT caption = client;
    caption.bottom = kNewsCaptionHeight;
    const UniqueGdiObject captionBrush(CreateSolidBrush(kCaptionColour));
    FillRect(dc, &caption, static_cast<HBRUSH>(captionBrush.get()));
    RECT body = client;
    body.top = kNewsCaptionHeight;
    FillRect(dc, &body, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    const UniqueGdiObject frame(CreateSolidBrush(kFrameColour));
    FrameRect(dc, &client, static_cast<HBRUSH>(frame.get()));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, RGB(255, 255, 255));
    const HGDIOBJ old = SelectObject(dc, font_ ? font_.get() : GetStockObject(DEFAULT_GUI_FONT));
    RECT text = caption;
    text.left += 8;
    DrawTextW(dc, caption_.c_str(), -1, &text, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old);
}

LRESULT CALLBACK TFrmNews::WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_NCCREATE) {
        auto* self = static_cast<TFrmNews*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
    }
    auto* self = reinterpret_cast<TFrmNews*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (!self) return DefWindowProcW(window, message, wParam, lParam);
    switch (message) {
    case WM_NCHITTEST: {
        POINT p{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
        ScreenToClient(window, &p);
        // Moved by its caption; not resizable.
        return p.y < kNewsCaptionHeight ? HTCAPTION : HTCLIENT;
    }
    case WM_SIZE: {
        const SIZE size = WindowSize(window);
        // Rounded corners of radius 5.
        SetWindowRgn(window, CreateRoundRectRgn(0, 0, size.cx + 1, size.cy + 1, 10, 10), TRUE);
        return 0;
    }
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(window, &ps);
        self->Paint(dc);
        EndPaint(window, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        return 1;
    case WM_TIMER:
        if (wParam == kSlideTimer) self->SlideTick();
        if (wParam == kFadeTimer) self->FadeTick();
        return 0;
    case WM_CLOSE:
        self->Close();
        return 0;
    case WM_DESTROY:
        self->window_ = nullptr;
        return 0;
    default:
        return DefWindowProcW(window, message, wParam, lParam);
    }
}

void ShowNewsMessage(const std::wstring& url, int formWidth, int formHeight) {
    TFrmNews& news = TFrmNews::Instance();
    if (!news.Handle()) return;
    news.FormWidth = formWidth;
    news.FormHeight = formHeight;
    news.ApplyFormSize();
    news.Url = url;
    news.PlaceBelowWorkArea();
    news.Start();
}
