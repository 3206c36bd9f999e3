#pragma once
// The main window's command boundary: whatever a command lets escape is
// caught there, so that the window is never left half made or disabled and
// the user hears of the failure.
#include <windows.h>

#include <functional>
#include <optional>
#include <string>

// The text shown for a failure that carries none of its own (anything not
// derived from std::exception, or an empty what()).
inline constexpr char kUnknownCommandFailure[] = "The command failed.";

// Runs the command; nothing it throws passes. The answer is the failure's
// text (UTF-8, as std::exception::what gives it), or nullopt when the
// command ended normally.
std::optional<std::string> RunGuarded(const std::function<void()>& command);

// Enables the window again however the scope is left.
class TReenableOnExit {
public:
    explicit TReenableOnExit(HWND window) : window_(window) {}
    TReenableOnExit(const TReenableOnExit&) = delete;
    TReenableOnExit& operator=(const TReenableOnExit&) = delete;
    ~TReenableOnExit() { EnableWindow(window_, TRUE); }

private:
    HWND window_;
};
