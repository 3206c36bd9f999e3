#include "support/AllocationFaults.h"

#include <atomic>
#include <cstdlib>
#include <new>

namespace {

std::atomic<bool> armed{false};
std::atomic<long> counted{0};
std::atomic<long> firstRefused{0};
std::atomic<bool> refused{false};

}  // namespace

FailAllocationsFrom::FailAllocationsFrom(long first) {
    counted = 0;
    refused = false;
    firstRefused = first;
    armed = true;
}

FailAllocationsFrom::~FailAllocationsFrom() { armed = false; }

bool FailAllocationsFrom::Refused() const { return refused; }

void* operator new(std::size_t size) {
    if (armed.load(std::memory_order_relaxed) && ++counted >= firstRefused) {
        refused = true;
        throw std::bad_alloc();
    }
    if (void* block = std::malloc(size ? size : 1)) return block;
    throw std::bad_alloc();
}

void operator delete(void* block) noexcept { std::free(block); }
void operator delete(void* block, std::size_t) noexcept { std::free(block); }
