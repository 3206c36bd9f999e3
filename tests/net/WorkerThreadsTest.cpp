#include <atomic>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "platform/AnsiText.h"
#include "net/DownLoadImgThread.h"
#include "net/HttpReadThread.h"
#include "net/LoopbackServer.h"
#include "platform/MainThreadCalls.h"
#include "gfx/PngPicture.h"
#include "platform/UniqueHandles.h"

namespace {

// What a worker saw of itself, kept outside the worker, which is freed.
struct Observations {
    std::atomic<int> priority{-100};
    std::atomic<DWORD> workThread{0};
    DWORD notifyThread = 0;
    bool notified = false;
    bool freed = false;
    bool freedBeforeNotify = false;
};

class ProbeThread : public TSelfFreeingThread {
public:
    ProbeThread(Observations& seen, HANDLE release) : seen_(seen), release_(release) {}
    ~ProbeThread() override {
        seen_.freedBeforeNotify = !seen_.notified;
        seen_.freed = true;
    }

protected:
    void Execute() override {
        seen_.priority = GetThreadPriority(GetCurrentThread());
        seen_.workThread = GetCurrentThreadId();
        if (release_) WaitForSingleObject(release_, 10000);
    }
    void NotifyEnd() override {
        seen_.notifyThread = GetCurrentThreadId();
        seen_.notified = true;
    }

private:
    Observations& seen_;
    HANDLE release_;
};

TEST(SelfFreeingThreads, WorkRunsAtIdlePriorityAndTheEndIsHandedToTheMainThread) {
    ASSERT_TRUE(InitMainThreadCalls());
    Observations seen;
    const HANDLE release = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    TSelfFreeingThread::Start(std::make_unique<ProbeThread>(seen, release));

    // The owner goes on while the worker works.
    PumpMessagesFor(200);
    EXPECT_EQ(seen.priority.load(), THREAD_PRIORITY_IDLE);
    EXPECT_NE(seen.workThread.load(), GetCurrentThreadId());
    EXPECT_FALSE(seen.notified);

    SetEvent(release);
    ASSERT_TRUE(PumpMessagesUntil([&] { return seen.freed; }));
    EXPECT_TRUE(seen.notified);
    EXPECT_EQ(seen.notifyThread, GetCurrentThreadId());
    EXPECT_FALSE(seen.freedBeforeNotify);
    CloseHandle(release);
}

TEST(SelfFreeingThreads, TheEndNotificationWaitsForTheMessageLoop) {
    Observations seen;
    TSelfFreeingThread::Start(std::make_unique<ProbeThread>(seen, nullptr));
    // The work is over quickly, but without a message loop nothing is told.
    for (int i = 0; i < 100 && seen.workThread.load() == 0; ++i) Sleep(10);
    Sleep(100);
    EXPECT_FALSE(seen.notified);
    EXPECT_FALSE(seen.freed);
    ASSERT_TRUE(PumpMessagesUntil([&] { return seen.freed; }));
    EXPECT_TRUE(seen.notified);
}

struct SyncCall {
    std::atomic<DWORD> ranOn{0};
    std::atomic<bool> workerResumed{false};
    bool ranBeforeResume = false;
};

DWORD WINAPI CallMainThreadAndWait(void* p) {
    auto* call = static_cast<SyncCall*>(p);
    RunOnMainThread([call] { call->ranOn = GetCurrentThreadId(); });
    call->ranBeforeResume = call->ranOn.load() != 0;
    call->workerResumed = true;
    return 0;
}

TEST(SelfFreeingThreads, AWorkerCanRunACallOnTheMainThreadAndWaitForIt) {
    ASSERT_TRUE(InitMainThreadCalls());
    SyncCall call;
    const HANDLE worker = CreateThread(nullptr, 0, CallMainThreadAndWait, &call, 0, nullptr);
    ASSERT_TRUE(worker);
    ASSERT_TRUE(PumpMessagesUntil([&] { return call.workerResumed.load(); }));
    WaitForSingleObject(worker, 5000);
    CloseHandle(worker);
    EXPECT_EQ(call.ranOn.load(), GetCurrentThreadId());
    EXPECT_TRUE(call.ranBeforeResume);
}

// A read thread's results as its end notification found them.
struct ReadResult {
    bool ended = false;
    bool done = false;
    std::string text;
    DWORD thread = 0;
};

class ReadingInTheBackground : public LoopbackServerTest {
protected:
    ReadResult Read(const std::wstring& url, unsigned timeoutMs = 10000) {
        ReadResult result;
        auto thread = std::make_unique<THttpReadThread>(url);
        thread->OnTerminate = [&result](THttpReadThread& t) {
            result = {true, t.Done, t.Text, GetCurrentThreadId()};
        };
        TSelfFreeingThread::Start(std::move(thread));
        EXPECT_TRUE(PumpMessagesUntil([&] { return result.ended; }, timeoutMs));
        return result;
    }
};

TEST_F(ReadingInTheBackground, APageIsDeliveredOnTheMainThread) {
    const ReadResult page = Read(Url(L"/page.html"));
    EXPECT_TRUE(page.done);
    EXPECT_EQ(page.text, "<html><body><p>Brivo test page</p></body></html>\n");
    EXPECT_EQ(page.thread, GetCurrentThreadId());
}

TEST_F(ReadingInTheBackground, TheTextStaysInTheAnsiCodePage) {
    const ReadResult page = Read(Url(L"/utf8.html"));
    EXPECT_TRUE(page.done);
    EXPECT_EQ(page.text, WideToAnsi(AnsiToWide("Caf\xC3\xA9 \xC3\xBC" "ber")));
}

TEST_F(ReadingInTheBackground, EmptyAnswersAndFailuresCountAsDoneWithoutText) {
    const ReadResult empty = Read(Url(L"/empty"));
    EXPECT_TRUE(empty.done);
    EXPECT_EQ(empty.text, "");
    const ReadResult unreachable = Read(Unreachable());
    EXPECT_TRUE(unreachable.done);
    EXPECT_EQ(unreachable.text, "");
    const ReadResult error = Read(Url(L"/missing.html"));
    EXPECT_EQ(error.text, "<html><body>404 Not Found</body></html>");
}

TEST_F(ReadingInTheBackground, AMainThreadWaitingForASlowAnswerKeepsServingMessages) {
    ReadResult result;
    auto thread = std::make_unique<THttpReadThread>(Url(L"/slow?ms=1500"));
    thread->OnTerminate = [&result](THttpReadThread& t) { result = {true, t.Done, t.Text, 0}; };
    const ULONGLONG start = GetTickCount64();
    TSelfFreeingThread::Start(std::move(thread));
    bool answeredMeanwhile = false;
    PostToMainThread([&] { answeredMeanwhile = !result.ended; });
    ASSERT_TRUE(PumpMessagesUntil([&] { return result.ended; }));
    EXPECT_TRUE(answeredMeanwhile);
    EXPECT_GE(GetTickCount64() - start, 1400u);
    EXPECT_EQ(result.text, "slow answer");
}

struct DownloadResult {
    bool ended = false;
    bool done = false;
};

class DownloadingPictures : public LoopbackServerTest {
protected:
    void SetUp() override {
        LoopbackServerTest::SetUp();
        wchar_t temp[MAX_PATH] = {};
        GetTempPathW(MAX_PATH, temp);
        cacheFile = std::wstring(temp) + L"brivo-download-" + std::to_wstring(GetCurrentProcessId()) + L".png";
        DeleteFileW(cacheFile.c_str());
    }
    void TearDown() override { DeleteFileW(cacheFile.c_str()); }

    DownloadResult Download(TagBrivoAdInfo& request) {
        DownloadResult result;
        auto thread = std::make_unique<TDownLoadImgThread>(&request);
        thread->OnTerminate = [&result](TDownLoadImgThread& t) { result = {true, t.Done}; };
        TSelfFreeingThread::Start(std::move(thread));
        EXPECT_TRUE(PumpMessagesUntil([&] { return result.ended; }));
        return result;
    }

    static std::string FileBytes(const std::wstring& path) {
        std::ifstream in(path.c_str(), std::ios::binary);
        return std::string((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    }
    static std::vector<std::wstring> FilesIn(const std::wstring& folder) {
        std::vector<std::wstring> names;
        WIN32_FIND_DATAW found{};
        const UniqueFindHandle search(FindFirstFileW((folder + L"\\*").c_str(), &found));
        if (!search || search.get() == INVALID_HANDLE_VALUE) return names;
        do {
            if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) names.push_back(found.cFileName);
        } while (FindNextFileW(search.get(), &found));
        return names;
    }

    std::wstring cacheFile;
};

TEST_F(DownloadingPictures, APngIsStoredIntoTheRequest) {
    TagBrivoAdInfo request;
    request.ImgSrc = Url(L"/blue.png");
    EXPECT_TRUE(Download(request).done);
    ASSERT_TRUE(request.Image);
    EXPECT_EQ(request.Image->GetWidth(), 32u);
    EXPECT_EQ(GetFileAttributesW(cacheFile.c_str()), INVALID_FILE_ATTRIBUTES);
}

TEST_F(DownloadingPictures, APictureIsAlsoSavedToTheCacheFileWhenOneIsNamed) {
    TagBrivoAdInfo request;
    request.ImgSrc = Url(L"/red.png");
    request.CacheFile = cacheFile;
    EXPECT_TRUE(Download(request).done);
    AddonPicture reread = DecodePngBytes(FileBytes(cacheFile));
    ASSERT_TRUE(reread);
    EXPECT_EQ(reread->GetWidth(), 16u);
    EXPECT_EQ(PixelAt(*reread, 0, 0), (Pixel{255, 255, 0, 0}));
}

TEST_F(DownloadingPictures, AnythingButAPngLeavesTheRequestWithoutAPicture) {
    for (const wchar_t* path : {L"/photo.jpg", L"/jpeg.png", L"/missing.png", L"/empty", L"/page.html"}) {
        TagBrivoAdInfo request;
        request.ImgSrc = Url(path);
        request.CacheFile = cacheFile;
        EXPECT_FALSE(Download(request).done) << path;
        EXPECT_FALSE(request.Image) << path;
        EXPECT_EQ(GetFileAttributesW(cacheFile.c_str()), INVALID_FILE_ATTRIBUTES) << path;
    }
}

// Needs a small volume that a large picture fills up: BRIVO_SMALL_VOLUME names
// a folder on one (see tests/net/extra.cmake).
TEST_F(DownloadingPictures, OnAFullDiskTheCachedPictureStaysWhole) {
    wchar_t folder[MAX_PATH] = {};
    if (!GetEnvironmentVariableW(L"BRIVO_SMALL_VOLUME", folder, MAX_PATH)) GTEST_SKIP() << "BRIVO_SMALL_VOLUME not set";
    const std::wstring cached = std::wstring(folder) + L"\\icon.png";
    TagBrivoAdInfo earlier;
    earlier.ImgSrc = Url(L"/red.png");
    earlier.CacheFile = cached;
    ASSERT_TRUE(Download(earlier).done);
    const std::string before = FileBytes(cached);
    ASSERT_TRUE(DecodePngBytes(before));

    // Random pixels: the picture's PNG is larger than the whole volume.
    TagBrivoAdInfo large;
    large.ImgSrc = Url(L"/noise.png?side=200");
    large.CacheFile = cached;
    EXPECT_FALSE(Download(large).done);
    ASSERT_TRUE(large.Image) << "the picture arrived; only caching it failed";
    EXPECT_EQ(large.Image->GetWidth(), 200u);
    EXPECT_EQ(FileBytes(cached), before) << "the cached picture was cut";
    EXPECT_EQ(FilesIn(folder), std::vector<std::wstring>{L"icon.png"}) << "a temporary file was left";
    DeleteFileW(cached.c_str());
}

TEST_F(DownloadingPictures, APictureThatCannotBeCachedStaysInTheRequestButIsNotDone) {
    TagBrivoAdInfo request;
    request.ImgSrc = Url(L"/red.png");
    request.CacheFile = cacheFile + L".missing-folder\\red.png";
    EXPECT_FALSE(Download(request).done);
    ASSERT_TRUE(request.Image);
    EXPECT_EQ(request.Image->GetWidth(), 16u);
}

}  // namespace
