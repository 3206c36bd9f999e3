#include "ui/NewsWindowLayout.h"

NewsBox NewsWindowSize(int formWidth, int formHeight, int currentWidth, int currentHeight) {
    if (formWidth != 0 && formHeight != 0) return {0, 0, formWidth + 2, formHeight + kNewsCaptionHeight};
    return {0, 0, currentWidth, currentHeight};
}

NewsBox NewsStartPlace(int workWidth, int workHeight, int width, int height) {
    return {workWidth - width - 10, workHeight + height, width, height};
}

NewsBox NewsBrowserBox(int width, int height) {
    return {1, kNewsCaptionHeight, width - 2, height - kNewsCaptionHeight - 1};
}

bool NewsSlideTick(int& top, int workHeight, int height) {
    top -= kNewsSlideStep;
    if (top > workHeight - height) return false;
    top = workHeight - height;
    return true;
}

bool NewsFadeTick(int& alpha) {
    alpha -= kNewsFadeStep;
    return alpha <= kNewsLastAlpha;
}
