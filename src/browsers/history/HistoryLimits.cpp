#include "browsers/history/HistoryLimits.h"

std::size_t RecordsToDrop(const std::vector<std::uint64_t>& sizesOldestFirst, const THistoryLimits& limits) {
    const std::size_t count = sizesOldestFirst.size();
    if (count <= 1) return 0;
    std::uint64_t total = 0;
    for (const std::uint64_t size : sizesOldestFirst) total += size;
    std::size_t drop = 0;
    const std::size_t keepAtMost = limits.maxRecords == 0 ? 1 : limits.maxRecords;
    while (drop + 1 < count && (count - drop > keepAtMost || total > limits.maxBytes)) total -= sizesOldestFirst[drop++];
    return drop;
}
