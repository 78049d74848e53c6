// The extra price records (the price master tables "RuxPrice1" to "RuxPrice5", numbers 87 to 91: one
// record of 132 bytes per PLU, RuxPriceLayout.h) as a price change of a PLU reaches them.
#pragma once

#include "db/plu/RuxPriceLayout.h"

#include <cstdint>
#include <span>

namespace varnel {

class CPluDefRec;

constexpr std::uint16_t kFirstRuxPriceTable = 87;
constexpr std::uint16_t kRuxPriceTableCount = 5;

// Copies into the record every value it shares with the PLU: each column of the PLU's of the same name.
void RuxPriceRecordFromPlu(std::span<std::uint8_t> record, const CPluDefRec& plu);
// The other way: the PLU takes every value of the record but its price number and fixed price, the
// one-byte POS flag sign-extended into Posflag.
void PluFromRuxPriceRecord(CPluDefRec& plu, std::span<const std::uint8_t> record);

}  // namespace varnel
