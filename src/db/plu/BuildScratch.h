// What a PLU record builder works in: a scratch row in which it puts the PLU together as a scale sees
// it (in its price zone, converted for its family, a day added), and the settings of the scale it
// builds for, set for the length of one build. Each thread that builds beside others (a link's worker)
// brings its own, with which it holds the table's build lock shared; a builder that holds the lock
// alone uses the table's.
#pragma once

#include "db/plu/PluDefRec.h"

#include <cstdint>

namespace varnel {

struct BuildScratch {
    CPluDefRec row;
    std::uint32_t addOneDay = 0;
    std::uint16_t priceZone = 0;
};

}  // namespace varnel
