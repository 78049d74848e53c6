// Heap allocations made by the program so far and the bytes they hold, counted by replacing the global
// operator new; link
// AllocationCount.cpp into a benchmark to use it.
#pragma once

#include <cstdint>

namespace varnel::bench {

std::uint64_t AllocationCount();
// Bytes the program's heap blocks hold now (as the allocator sized them), and the most they held since
// the last reset.
std::int64_t HeapBytes();
std::int64_t HeapPeak();
void ResetHeapPeak();

// While one lives, allocations are made but not counted: what is timed then pays nothing for the
// counting. Whatever is allocated under it should be freed under it too.
class UncountedScope {
public:
    UncountedScope();
    ~UncountedScope();
    UncountedScope(const UncountedScope&) = delete;
    UncountedScope& operator=(const UncountedScope&) = delete;
};

}  // namespace varnel::bench
