#pragma once
// The two notifications: an information strip (green) and an error strip
// (red) showing a text below a screen point. They return as soon as the
// strip is on screen; each strip lives on its own until it has faded out.
#include <windows.h>

#include <string>
#include <vector>

void ShowInfoToast(POINT at, const std::wstring& text);
void ShowErrorToast(POINT at, const std::wstring& text);

// The windows of the notifications now on screen, oldest first.
std::vector<HWND> ToastWindows();
