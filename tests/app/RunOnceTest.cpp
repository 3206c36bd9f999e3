#include <gtest/gtest.h>

#include "TestWindows.h"
#include "app/ApplicationWindow.h"
#include "app/RunOnce.h"

#include <string>

namespace {

std::uint32_t Word(HWND window) { return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(window)); }

// Each test has a section of its own, so that records of one test never
// meet those of another (or of a running program).
std::wstring FreshSectionName() {
    static int counter = 0;
    return L"BrivoRunOnceTest-" + std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(++counter);
}

class RunOnceTest : public ::testing::Test {
protected:
    const std::wstring name_ = FreshSectionName();
};

}  // namespace

TEST_F(RunOnceTest, ANewSectionStartsWithBothWordsZero) {
    const TInstanceRecord record(name_);
    ASSERT_TRUE(record.Mapped());
    EXPECT_EQ(record.Words().FirstAppWindow, 0u);
    EXPECT_EQ(record.Words().FirstMainWindow, 0u);
}

TEST_F(RunOnceTest, TheFirstClaimStoresTheWindowAndALaterOneSendsItTheRestoreCommand) {
    CommandRecorder firstApp;
    CommandRecorder secondApp;
    ASSERT_NE(firstApp.Handle(), nullptr);

    TInstanceRecord first(name_);
    EXPECT_FALSE(first.ClaimFirstInstance(firstApp.Handle()));
    EXPECT_EQ(first.Words().FirstAppWindow, Word(firstApp.Handle()));
    EXPECT_TRUE(firstApp.Commands().empty());

    // Before the first instance has a main window only the command is sent.
    TInstanceRecord second(name_);
    ASSERT_TRUE(second.Mapped());
    EXPECT_TRUE(second.ClaimFirstInstance(secondApp.Handle()));
    ASSERT_EQ(firstApp.Commands().size(), 1u);
    EXPECT_EQ(firstApp.Commands()[0].wParam, static_cast<WPARAM>(SC_RESTORE));
    EXPECT_EQ(firstApp.Commands()[0].lParam, 0);
    EXPECT_TRUE(secondApp.Commands().empty());
    // The second instance leaves the record as the first one wrote it.
    EXPECT_EQ(first.Words().FirstAppWindow, Word(firstApp.Handle()));
    EXPECT_EQ(first.Words().FirstMainWindow, 0u);
}

TEST_F(RunOnceTest, ASecondStartRestoresAndRaisesTheMinimisedFirstInstance) {
    TApplicationWindow firstApp;
    const UniqueWindow main = CreateTestWindow(L"First main window");
    ASSERT_NE(firstApp.Handle(), nullptr);
    ASSERT_NE(main, nullptr);
    firstApp.SetMainWindow(main.get());
    TInstanceRecord first(name_);
    ASSERT_FALSE(first.ClaimFirstInstance(firstApp.Handle()));
    first.RegisterMainWindow(main.get());
    EXPECT_EQ(first.Words().FirstMainWindow, Word(main.get()));

    ShowWindow(main.get(), SW_MINIMIZE);
    const UniqueWindow other = CreateTestWindow(L"Another program's window", true, 150, 150);
    ASSERT_TRUE(IsIconic(main.get()));
    ASSERT_TRUE(IsAbove(other.get(), main.get()));

    TInstanceRecord second(name_);
    CommandRecorder secondApp;
    EXPECT_TRUE(second.ClaimFirstInstance(secondApp.Handle()));
    EXPECT_FALSE(IsIconic(main.get()));
    EXPECT_TRUE(IsWindowVisible(main.get()));
    EXPECT_TRUE(IsAbove(main.get(), other.get()));
    // Raised, not left top-most.
    EXPECT_EQ(GetWindowLongPtrW(main.get(), GWL_EXSTYLE) & WS_EX_TOPMOST, 0);
    EXPECT_FALSE(IsWindowVisible(firstApp.Handle()));
}

TEST_F(RunOnceTest, WordsStayWhileAnyInstanceHoldsTheSection) {
    CommandRecorder app;
    const UniqueWindow main = CreateTestWindow(L"Main", false);
    const UniqueWindow laterMain = CreateTestWindow(L"Later main", false);
    {
        TInstanceRecord first(name_);
        first.ClaimFirstInstance(app.Handle());
        TInstanceRecord holder(name_);
        first.RegisterMainWindow(main.get());
        first.RegisterMainWindow(laterMain.get());  // the last one counts
        EXPECT_EQ(holder.Words().FirstMainWindow, Word(laterMain.get()));
        {
            TInstanceRecord second(name_);
            EXPECT_TRUE(second.ClaimFirstInstance(nullptr));
        }
        const TInstanceRecord third(name_);  // the first has not ended
        EXPECT_EQ(third.Words().FirstAppWindow, Word(app.Handle()));
        EXPECT_EQ(third.Words().FirstMainWindow, Word(laterMain.get()));
    }
    // The last holder has gone, and with it the section.
    const TInstanceRecord next(name_);
    EXPECT_EQ(next.Words().FirstAppWindow, 0u);
    EXPECT_EQ(next.Words().FirstMainWindow, 0u);
}

TEST_F(RunOnceTest, WithoutASectionEveryStartRunsAsTheFirst) {
    // Another program's object of a different kind holds the name, so the
    // section can be neither opened nor created.
    const UniqueHandle squatter(CreateMutexW(nullptr, FALSE, name_.c_str()));
    ASSERT_NE(squatter, nullptr);
    CommandRecorder app;

    TInstanceRecord first(name_);
    TInstanceRecord second(name_);
    EXPECT_FALSE(first.Mapped());
    EXPECT_FALSE(first.ClaimFirstInstance(app.Handle()));
    first.RegisterMainWindow(app.Handle());
    EXPECT_FALSE(second.ClaimFirstInstance(app.Handle()));
    EXPECT_TRUE(app.Commands().empty());
    EXPECT_EQ(second.Words().FirstAppWindow, 0u);
}

TEST_F(RunOnceTest, TheProgramsRecordUsesItsOwnSectionUntilClosed) {
    CommandRecorder app;
    CommandRecorder laterApp;
    const UniqueWindow main = CreateTestWindow(L"Main", false);
    EXPECT_FALSE(ClaimFirstInstance(app.Handle()));  // not open yet: does nothing

    OpenInstanceRecord();
    const TInstanceRecord observer(L"{58E136B7-93CE-4215-A1AE-58C25222371D}");
    ASSERT_TRUE(observer.Mapped());
    ASSERT_EQ(observer.Words().FirstAppWindow, 0u) << "another program holds the instance section";
    EXPECT_FALSE(ClaimFirstInstance(app.Handle()));
    RegisterMainWindow(main.get());
    EXPECT_EQ(observer.Words().FirstAppWindow, Word(app.Handle()));
    EXPECT_EQ(observer.Words().FirstMainWindow, Word(main.get()));
    EXPECT_TRUE(ClaimFirstInstance(laterApp.Handle()));
    EXPECT_EQ(app.Commands().size(), 1u);

    CloseInstanceRecord();
    EXPECT_FALSE(ClaimFirstInstance(laterApp.Handle()));
    RegisterMainWindow(nullptr);
    EXPECT_EQ(app.Commands().size(), 1u);
    EXPECT_EQ(observer.Words().FirstMainWindow, Word(main.get()));
}

// The first instance hangs: its windows belong to a thread that stops
// taking messages until it is released. The second start gives up on it
// after the time limit and still ends as a second instance.
TEST_F(RunOnceTest, ASecondStartEndsWhileTheFirstInstanceHangs) {
    struct HungInstance {
        HWND app = nullptr;
        HWND main = nullptr;
        UniqueHandle ready{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        UniqueHandle release{CreateEventW(nullptr, TRUE, FALSE, nullptr)};
        volatile LONG woke = 0;
    } hung;
    const UniqueHandle thread(CreateThread(
        nullptr, 0,
        [](void* context) -> DWORD {
            auto& h = *static_cast<HungInstance*>(context);
            UniqueWindow app = CreateTestWindow(L"Hung application window", false);
            UniqueWindow main = CreateTestWindow(L"Hung main window", false);
            h.app = app.get();
            h.main = main.get();
            SetEvent(h.ready.get());
            // Hangs: no message is taken for up to 20 s.
            WaitForSingleObject(h.release.get(), 20000);
            InterlockedExchange(&h.woke, 1);
            MSG message;
            while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
            return 0;
        },
        &hung, 0, nullptr));
    ASSERT_NE(thread, nullptr);
    ASSERT_EQ(WaitForSingleObject(hung.ready.get(), 10000), WAIT_OBJECT_0);

    TInstanceRecord first(name_);
    ASSERT_FALSE(first.ClaimFirstInstance(hung.app));
    first.RegisterMainWindow(hung.main);

    TInstanceRecord second(name_);
    CommandRecorder secondApp;
    EXPECT_TRUE(second.ClaimFirstInstance(secondApp.Handle()));
    EXPECT_EQ(InterlockedCompareExchange(&hung.woke, 0, 0), 0) << "the second start waited for the hung instance";

    SetEvent(hung.release.get());
    WaitForSingleObject(thread.get(), 30000);
}
