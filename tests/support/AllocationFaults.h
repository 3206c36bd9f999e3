#pragma once
// Running out of memory on demand, for tests of code that must survive it.
// The test executables' global operator new counts its calls while a
// FailAllocationsFrom lives and refuses, with std::bad_alloc, the one
// numbered `first` and every later one: what a process sees when its address
// space is exhausted. Memory that RapidJSON or Windows take with malloc or
// HeapAlloc is not counted.
#include <cstddef>

class FailAllocationsFrom {
public:
    explicit FailAllocationsFrom(long first);
    ~FailAllocationsFrom();
    FailAllocationsFrom(const FailAllocationsFrom&) = delete;
    FailAllocationsFrom& operator=(const FailAllocationsFrom&) = delete;

    // True when at least one allocation was refused so far.
    bool Refused() const;
};
