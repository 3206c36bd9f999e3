#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <thread>
#include <vector>

#include "net/rating/RateSession.h"

namespace {

struct FakeService {
    std::atomic<int> fetches{0};
    std::atomic<bool> fails{false};
    std::atomic<std::uint64_t> now{1000};

    TRateSession::Fetch Fetch(int delayMs = 0) {
        return [this, delayMs]() -> std::optional<std::wstring> {
            const int n = ++fetches;
            if (delayMs) std::this_thread::sleep_for(std::chrono::milliseconds(delayMs));
            if (fails) return std::nullopt;
            return L"K" + std::to_wstring(n);
        };
    }
    TRateSession::Clock Clock() {
        return [this] { return now.load(); };
    }
};

}  // namespace

TEST(RateKeyHolder, FetchesOnceAndKeepsTheKeyFor599Seconds) {
    FakeService service;
    TRateSession session(service.Fetch(), service.Clock());
    EXPECT_EQ(session.GetKey(), L"K1");
    service.now += 598'999;
    EXPECT_EQ(session.GetKey(), L"K1");
    EXPECT_EQ(service.fetches, 1);
    service.now += 1;  // 599 s after the fetch
    EXPECT_EQ(session.GetKey(), L"K2");
    EXPECT_EQ(service.fetches, 2);
}

TEST(RateKeyHolder, AgeIsElapsedTimeSoAKeyFromJustBeforeMidnightLasts599Seconds) {
    // The clock counts milliseconds of uptime; 23:55 and 00:05 are ten
    // minutes apart whatever the date says.
    FakeService service;
    service.now = 86'100'000;  // 23:55 of the first day
    TRateSession session(service.Fetch(), service.Clock());
    EXPECT_EQ(session.GetKey(), L"K1");
    service.now = 86'400'000 + 300'000;  // 00:05 of the next
    EXPECT_EQ(session.GetKey(), L"K2");
}

TEST(RateKeyHolder, AFailedFetchLeavesTheKeyEmptyAndTheNextCallTriesAgain) {
    FakeService service;
    service.fails = true;
    TRateSession session(service.Fetch(), service.Clock());
    EXPECT_EQ(session.GetKey(), L"");
    EXPECT_EQ(session.GetKey(), L"");
    EXPECT_EQ(service.fetches, 2);
    service.fails = false;
    EXPECT_EQ(session.GetKey(), L"K3");

    // A stale key whose refetch fails is gone, not kept.
    service.now += 600'000;
    service.fails = true;
    EXPECT_EQ(session.GetKey(), L"");
    service.fails = false;
    EXPECT_EQ(session.GetKey(), L"K5");
}

TEST(RateKeyHolder, ConcurrentCallersShareOneFetch) {
    FakeService service;
    TRateSession session(service.Fetch(50), service.Clock());
    std::vector<std::wstring> keys(8);
    std::vector<std::thread> threads;
    for (size_t i = 0; i < keys.size(); ++i) threads.emplace_back([&, i] { keys[i] = session.GetKey(); });
    for (auto& t : threads) t.join();
    EXPECT_EQ(service.fetches, 1);
    for (const auto& key : keys) EXPECT_EQ(key, L"K1");
}

TEST(RateKeyHolder, ForgetStartsAgainWithoutAKey) {
    FakeService service;
    TRateSession session(service.Fetch(), service.Clock());
    EXPECT_EQ(session.GetKey(), L"K1");
    session.Forget();
    EXPECT_EQ(session.GetKey(), L"K2");
}
