// The measure of a record benchmark: runs `encodeAll` (which encodes every record once and returns
// how many it made) for each iteration and reports records per second, records per iteration and
// the heap allocations per record. Link AllocationCount.cpp into the benchmark.
#pragma once

#include "AllocationCount.h"

#include <benchmark/benchmark.h>

#include <cstdint>

namespace varnel::bench {

template <class EncodeAll>
void MeasureRecords(benchmark::State& state, EncodeAll encodeAll)
{
    std::uint64_t records = 0;
    const std::uint64_t allocationsBefore = AllocationCount();
    for (auto _ : state) records += encodeAll();
    const std::uint64_t allocations = AllocationCount() - allocationsBefore;
    state.SetItemsProcessed(static_cast<std::int64_t>(records));
    state.counters["records"] = static_cast<double>(records) / static_cast<double>(state.iterations());
    state.counters["allocs/record"] = records ? static_cast<double>(allocations) / static_cast<double>(records) : 0;
}

}  // namespace varnel::bench
