#pragma once
// The news window: a small borderless window with a caption bar and an
// embedded web browser that slides up from below the bottom right of the
// work area, shows a message page for a minute and fades out. There is one
// per process, made on first use and reused for every later message.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "platform/UniqueHandles.h"

// The embedded browser as the news window uses it.
class INewsBrowser {
public:
    virtual ~INewsBrowser() = default;
    // Made once, as a child of the news window; false when it cannot be.
    virtual bool Create(HWND parent) = 0;
    virtual void Navigate(const std::wstring& url) = 0;
    virtual void SetBounds(const RECT& bounds) = 0;
    // Sets the document body's attribute "Scroll" to "no" and its styles
    // "border" to "none" and "margin" to "0px"; false when the document has
    // no body or a step fails.
    virtual bool StyleBody() = 0;
    // Set by the window: the navigation is complete.
    std::function<void()> OnDocumentComplete;
};

using NewsBrowserFactory = std::function<std::unique_ptr<INewsBrowser>()>;
// The browser the news window makes (the web browser control unless told
// otherwise, e.g. by a test).
void SetNewsBrowserFactory(NewsBrowserFactory factory);

class TFrmNews {
public:
    TFrmNews();
    ~TFrmNews();
    TFrmNews(const TFrmNews&) = delete;
    TFrmNews& operator=(const TFrmNews&) = delete;

    // The one window, made on first use.
    static TFrmNews& Instance();
    // Whether it has been made.
    static bool Exists();

    std::wstring Url;
    int FormWidth = 0;
    int FormHeight = 0;

    HWND Handle() const { return window_; }
    // Resizes to the page size plus frame and caption when both are given.
    void ApplyFormSize();
    // Below the visible screen at the work area's right.
    void PlaceBelowWorkArea();
    // Font and caption of the active language, then the navigation.
    void Start();

    // The motion, run by the window's timers (public for the tests).
    void SlideTick();
    void FadeTick();
    void Close();

    bool Sliding() const { return sliding_; }
    bool Resting() const { return resting_; }
    int Alpha() const { return alpha_; }
    const std::wstring& Caption() const { return caption_; }

private:
    bool EnsureWindow();
    void DocumentComplete();
    void Paint(HDC dc);
    static LRESULT CALLBACK WndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND window_ = nullptr;
    std::unique_ptr<INewsBrowser> browser_;
    UniqueFont font_;
    std::wstring caption_;
    int alpha_ = 255;
    bool sliding_ = false;
    bool resting_ = false;
};

// The last steps of a new message: the window made when needed, its size
// (both sizes given) and address set, placed below the work area, started.
void ShowNewsMessage(const std::wstring& url, int formWidth, int formHeight);
