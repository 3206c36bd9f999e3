// The main window's command boundary: every kind of failure is caught and
// told, what the command did before it failed stays done, and a window
// disabled for the command is enabled again however it ends.
#include <gtest/gtest.h>

#include "ui/CommandGuard.h"

#include <stdexcept>
#include <vector>

namespace {

struct NotAnException {
    int code;
};

// A top-level window standing in for the main window.
struct TestWindow {
    TestWindow() {
        WNDCLASSW wc = {};
        wc.lpfnWndProc = DefWindowProcW;
        wc.hInstance = GetModuleHandleW(nullptr);
        wc.lpszClassName = L"BrivoCommandGuardTest";
        RegisterClassW(&wc);
        handle = CreateWindowExW(0, wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    }
    ~TestWindow() { DestroyWindow(handle); }
    HWND handle;
};

}  // namespace

TEST(CommandGuardTest, EveryFailureIsCaughtAndToldAndEarlierWorkStays) {
    struct Case {
        const char* what;
        std::function<void()> fail;
        std::string told;
    };
    const Case cases[] = {
        {"runtime_error", [] { throw std::runtime_error("Access is denied."); }, "Access is denied."},
        {"bad_alloc", [] { throw std::bad_alloc(); }, std::bad_alloc().what()},
        {"empty text", [] { throw std::runtime_error(""); }, kUnknownCommandFailure},
        {"int", [] { throw 5; }, kUnknownCommandFailure},
        {"text literal", [] { throw "boom"; }, kUnknownCommandFailure},
        {"own type", [] { throw NotAnException{7}; }, kUnknownCommandFailure},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        // As a browser list read: two adapters appended, then the third raises.
        std::vector<int> list;
        const auto failure = RunGuarded([&] {
            list.push_back(1);
            list.push_back(2);
            c.fail();
            list.push_back(3);
        });
        ASSERT_TRUE(failure.has_value());
        EXPECT_EQ(*failure, c.told);
        EXPECT_EQ(list, (std::vector<int>{1, 2}));
    }
    int runs = 0;
    EXPECT_EQ(RunGuarded([&] { ++runs; }), std::nullopt);
    EXPECT_EQ(runs, 1);
}

TEST(CommandGuardTest, AWindowDisabledForACommandIsEnabledAgainHoweverItEnds) {
    TestWindow window;
    ASSERT_NE(window.handle, nullptr);
    for (const bool fails : {false, true}) {
        EnableWindow(window.handle, FALSE);
        std::optional<std::string> failure;
        {
            const TReenableOnExit reenable(window.handle);
            failure = RunGuarded([&] {
                EXPECT_FALSE(IsWindowEnabled(window.handle));
                if (fails) throw 1;
            });
        }
        EXPECT_EQ(failure.has_value(), fails);
        EXPECT_TRUE(IsWindowEnabled(window.handle));
    }
}
