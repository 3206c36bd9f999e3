#include <gtest/gtest.h>

#include "TestWindows.h"
#include "app/ApplicationWindow.h"

#include <string>

namespace {

void SendRestore(HWND window) { SendMessageW(window, WM_SYSCOMMAND, SC_RESTORE, 0); }

RECT WindowRect(HWND window) {
    RECT r{};
    GetWindowRect(window, &r);
    return r;
}

}  // namespace

TEST(ApplicationWindow, IsAHiddenTopLevelWindowWithoutTaskBarButton) {
    HWND handle = nullptr;
    {
        const TApplicationWindow app;
        handle = app.Handle();
        ASSERT_NE(handle, nullptr);
        EXPECT_FALSE(IsWindowVisible(handle));
        EXPECT_EQ(GetAncestor(handle, GA_PARENT), GetDesktopWindow());
        const LONG_PTR exStyle = GetWindowLongPtrW(handle, GWL_EXSTYLE);
        EXPECT_NE(exStyle & WS_EX_TOOLWINDOW, 0);
        EXPECT_EQ(exStyle & WS_EX_APPWINDOW, 0);
        wchar_t title[64] = {};
        GetWindowTextW(handle, title, 64);
        EXPECT_STREQ(title, L"Brivo Plug-in Manager");
    }
    EXPECT_FALSE(IsWindow(handle));
}

namespace {

enum class MainState { Minimised, Hidden, Normal };

const char* Name(MainState state) {
    switch (state) {
    case MainState::Minimised: return "Minimised";
    case MainState::Hidden: return "Hidden";
    default: return "Normal";
    }
}
void PrintTo(MainState state, std::ostream* out) { *out << Name(state); }

}  // namespace

// The two windows are shared by the cases: each one that has been on screen
// costs seconds to take down.
class RestoreCommand : public ::testing::TestWithParam<MainState> {
protected:
    static void SetUpTestSuite() {
        main_ = CreateTestWindow(L"Main", true, 120, 90);
        other_ = CreateTestWindow(L"Other", true, 200, 200);
    }
    static void TearDownTestSuite() {
        main_.reset();
        other_.reset();
    }
    static UniqueWindow main_;
    static UniqueWindow other_;
};
UniqueWindow RestoreCommand::main_;
UniqueWindow RestoreCommand::other_;

TEST_P(RestoreCommand, BringsTheMainWindowBackAndToTheFront) {
    TApplicationWindow app;
    const HWND main = main_.get();
    ASSERT_NE(main, nullptr);
    ShowWindow(main, SW_SHOWNORMAL);
    const RECT normal = WindowRect(main);
    app.SetMainWindow(main);
    EXPECT_EQ(app.MainWindow(), main);
    if (GetParam() == MainState::Minimised) ShowWindow(main, SW_MINIMIZE);
    if (GetParam() == MainState::Hidden) ShowWindow(main, SW_HIDE);
    SetForegroundWindow(other_.get());
    ASSERT_EQ(GetForegroundWindow(), other_.get());
    ASSERT_EQ(IsIconic(main), GetParam() == MainState::Minimised);
    ASSERT_EQ(IsWindowVisible(main), GetParam() != MainState::Hidden);

    SendRestore(app.Handle());
    EXPECT_FALSE(IsIconic(main));
    EXPECT_TRUE(IsWindowVisible(main));
    const RECT after = WindowRect(main);
    EXPECT_TRUE(EqualRect(&normal, &after)) << "restored to where it was";
    EXPECT_EQ(GetForegroundWindow(), main);
    EXPECT_FALSE(IsWindowVisible(app.Handle()));
}

INSTANTIATE_TEST_SUITE_P(ApplicationWindow, RestoreCommand,
                         ::testing::Values(MainState::Minimised, MainState::Hidden, MainState::Normal),
                         [](const auto& info) { return std::string(Name(info.param)); });

TEST(ApplicationWindow, RestoreWithoutAMainWindowLeavesEverythingHidden) {
    TApplicationWindow app;
    SendRestore(app.Handle());
    EXPECT_FALSE(IsWindowVisible(app.Handle()));

    HWND gone = nullptr;
    {
        const UniqueWindow main = CreateTestWindow(L"Closed main", false);
        gone = main.get();
    }
    app.SetMainWindow(gone);
    SendRestore(app.Handle());
    EXPECT_FALSE(IsWindowVisible(app.Handle()));
    EXPECT_TRUE(IsWindow(app.Handle()));
}

TEST(ApplicationWindow, OtherSystemCommandsGetTheDefaultHandling) {
    TApplicationWindow app;
    const UniqueWindow main = CreateTestWindow(L"Hidden main", false);
    app.SetMainWindow(main.get());
    SendMessageW(app.Handle(), WM_SYSCOMMAND, SC_CLOSE, 0);  // default: close, which destroys it
    EXPECT_FALSE(IsWindow(app.Handle()));
    EXPECT_FALSE(IsWindowVisible(main.get()));
}
