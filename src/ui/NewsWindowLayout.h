#pragma once
// The news window's geometry and motion: its size from the page's size, its
// place below the bottom right of the work area, the slide up and the fade.
// No Windows here.

struct NewsBox {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    bool operator==(const NewsBox&) const = default;
};

constexpr int kNewsDesignWidth = 490;
constexpr int kNewsDesignHeight = 265;
constexpr int kNewsCaptionHeight = 26;
constexpr int kNewsSlideMs = 50;
constexpr int kNewsSlideStep = 20;
constexpr int kNewsRestMs = 60000;
constexpr int kNewsFadeMs = 33;
constexpr int kNewsFadeStep = 10;
constexpr int kNewsLastAlpha = 5;

// The page area plus frame and caption (width + 2, height + 26) when both
// are given, otherwise the window's current size.
NewsBox NewsWindowSize(int formWidth, int formHeight, int currentWidth, int currentHeight);
// Left 10 pixels from the work area's right edge, top below the work area
// by the window's own height.
NewsBox NewsStartPlace(int workWidth, int workHeight, int width, int height);
// The browser inside the window: left 1, top 26, width - 2, height - 27.
NewsBox NewsBrowserBox(int width, int height);

// One slide tick: 20 pixels up, stopping exactly at work-area height minus
// the window's height. True when the window has arrived.
bool NewsSlideTick(int& top, int workHeight, int height);
// One fade tick: 10 less alpha. True when the window is to close (alpha has
// reached 5).
bool NewsFadeTick(int& alpha);
