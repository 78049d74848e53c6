// The measure of a table's records as a link's range walk asks for them: every row of keys 1 to `high`
// encoded for a scale of the family given as the benchmark's argument (under the settings given, for
// the PLU records), once an iteration.
#pragma once

#include "RecordRate.h"
#include "db/plu/DBComTb.h"

#include <benchmark/benchmark.h>

#include <array>
#include <cstdint>

namespace varnel::bench {

template <std::size_t BufferSize>
void MeasureRangeEncode(benchmark::State& state, CDBComTb& table, std::uint32_t high,
                        const SiteSettings* settings = nullptr)
{
    CLinkScaleSettings scale;
    scale.m_scaleType = static_cast<std::uint16_t>(state.range(0));
    std::array<std::uint8_t, BufferSize> buffer{};
    MeasureRecords(state, [&] {
        std::uint64_t records = 0;
        KeyCursor cursor = 1;
        KeyCursor key = 0;
        ScaleRecordOut out{buffer};
        out.settings = settings;
        while (table.EncodeNextInRange(scale, cursor, high, out, key)) ++records;
        benchmark::DoNotOptimize(buffer.data());
        return records;
    });
}

}  // namespace varnel::bench
