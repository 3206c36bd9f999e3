#include "net/rating/RateSession.h"

TRateSession::TRateSession(Fetch fetch, Clock clock) : fetch_(std::move(fetch)), clock_(std::move(clock)) {}

std::wstring TRateSession::GetKey() {
    const std::lock_guard<std::mutex> guard(lock_);
    if (key_.empty()) {
        FetchKey();
    } else if (fetchedAt_ && clock_() - *fetchedAt_ >= static_cast<std::uint64_t>(lifetime_) * 1000) {
        FetchKey();
    }
    return key_;
}

void TRateSession::FetchKey() {
    key_.clear();
    const std::optional<std::wstring> key = fetch_();
    if (!key) return;
    key_ = *key;
    lifetime_ = kLifetimeSeconds;
    fetchedAt_ = clock_();
}

void TRateSession::SetClock(Clock clock) {
    const std::lock_guard<std::mutex> guard(lock_);
    clock_ = std::move(clock);
}

void TRateSession::Forget() {
    const std::lock_guard<std::mutex> guard(lock_);
    key_.clear();
    fetchedAt_.reset();
    lifetime_ = kLifetimeSeconds;
}
