// Heap allocations made by the program so far, counted by replacing the global operator new; link
// AllocationCount.cpp into a benchmark to use it.
#pragma once

#include <cstdint>

namespace varnel::bench {

std::uint64_t AllocationCount();

}  // namespace varnel::bench
