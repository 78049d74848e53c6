// The PLU of the benchmark database as a user would key it in: a two-line description, a name and a price.
#pragma once

#include "BenchDescription.h"
#include "db/plu/PluDefRec.h"

#include <cstdint>

namespace varnel::bench {

inline void MakeBenchPlu(CPluDefRec& row, std::uint32_t number)
{
    row.InitNew(number);
    row.SetDesc(BenchDescription(number));
    row.SetNameFromDesc();
    row.Set(PluCol::UnitPrice, static_cast<std::int32_t>(number % 5000));
}

}  // namespace varnel::bench
