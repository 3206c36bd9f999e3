#pragma once
// The skinned modal message box: a title bar, an icon, a text of up to
// three lines and either Yes and No or OK. Yes answers 6, No 7, OK 1; the
// close button and Escape answer 7 (1 for an OK box). Only one box is open
// at a time: a request while one is open answers 7 at once.
#include <array>
#include <functional>
#include <string>

#include "ui/toolkit/OrixFont.h"
#include "ui/toolkit/OrixStrip.h"

class TOrixForm;

enum class TOrixMessageButtons { YesNo = 3, Ok = 4 };
enum class TOrixMessageIcon { Warning = 0, Error = 1, Information = 2, Question = 3 };

class TOrixMessageBox {
public:
    static constexpr int kYes = 6;
    static constexpr int kNo = 7;
    static constexpr int kOk = 1;

    TOrixMessageBox();

    std::wstring YesCaption = L"Yes";
    std::wstring NoCaption = L"No";
    std::wstring OkCaption = L"Ok";
    TOrixFont Font;
    TOrixFont ButtonFont;
    TOrixStrip ButtonPicture;               // normal, hover, pressed
    std::array<TOrixStrip, 4> Icons;        // by TOrixMessageIcon; system icons when empty
    TOrixStrip Logo;
    TOrixStrip CloseButton;

    int Show(HWND owner, const std::wstring& title, const std::wstring& text, TOrixMessageButtons buttons,
             TOrixMessageIcon icon);
    bool IsOpen() const { return open_; }

    // Runs when the box is on screen (tests and screenshots drive it).
    std::function<void(TOrixForm&)> OnShown;

private:
    bool open_ = false;
};
