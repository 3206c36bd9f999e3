#pragma once
// How much the change journal keeps: the newest records up to a count and a
// size, older ones going first. No Windows here.
#include <cstddef>
#include <cstdint>
#include <vector>

struct THistoryLimits {
    std::size_t maxRecords = 200;
    std::uint64_t maxBytes = 1024ull * 1024 * 1024;
};

// sizesOldestFirst: the bytes each record takes with its saved files, oldest
// first. How many of the oldest must go so that the rest keep to both
// limits. The newest record always stays, whatever its size: it is the
// change just made, and the only way back from it.
std::size_t RecordsToDrop(const std::vector<std::uint64_t>& sizesOldestFirst, const THistoryLimits& limits);
