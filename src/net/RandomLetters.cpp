#include "net/RandomLetters.h"

#include <chrono>
#include <functional>
#include <random>
#include <thread>

namespace {

std::mt19937& Generator() {
    thread_local std::mt19937 generator = [] {
        std::random_device device;
        const auto ticks = static_cast<std::uint64_t>(std::chrono::steady_clock::now().time_since_epoch().count());
        const auto thread = static_cast<std::uint64_t>(std::hash<std::thread::id>{}(std::this_thread::get_id()));
        std::seed_seq seed{device(), device(), static_cast<unsigned>(ticks), static_cast<unsigned>(ticks >> 32),
                           static_cast<unsigned>(thread)};
        return std::mt19937(seed);
    }();
    return generator;
}

}  // namespace

std::string RandomLetters(int n) {
    if (n <= 0) return {};
    std::uniform_int_distribution<int> letter(0, 25);
    std::string letters;
    letters.reserve(static_cast<size_t>(n));
    for (int i = 0; i < n; ++i) letters.push_back(static_cast<char>('a' + letter(Generator())));
    return letters;
}
