#pragma once
// Holder of the rating service key. Every request but the key request itself
// carries the key; it is fetched when there is none and again once Lifetime
// seconds of real time have passed since the last successful fetch. GetKey,
// fetch included, runs under one lock, so concurrent workers never fetch or
// replace the key at the same time: the first fetches, the others wait and
// then use its key.
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <string>

class TRateSession {
public:
    // One key request: the key on success (a reply with code 13), none on
    // any failure.
    using Fetch = std::function<std::optional<std::wstring>()>;
    // Milliseconds of a clock that only moves forward (not the time of day).
    using Clock = std::function<std::uint64_t()>;

    static constexpr int kLifetimeSeconds = 599;

    TRateSession(Fetch fetch, Clock clock);
    TRateSession(const TRateSession&) = delete;
    TRateSession& operator=(const TRateSession&) = delete;

    // The key to send with the next request, possibly empty; may block for
    // one key request. Callable from any thread.
    std::wstring GetKey();

    // Tests replace the clock and start again without a key.
    void SetClock(Clock clock);
    void Forget();

private:
    void FetchKey();

    std::mutex lock_;
    Fetch fetch_;
    Clock clock_;
    std::wstring key_;
    int lifetime_ = kLifetimeSeconds;
    // Clock reading of the last successful fetch; none before the first.
    std::optional<std::uint64_t> fetchedAt_;
};
