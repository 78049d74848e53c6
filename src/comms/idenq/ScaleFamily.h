// Scale families (scale types) and the comms data kinds of the tables.
//
// Families: 0 TR-5300, 1 HBKU (TR-5300 mode), 2 TR-5200, 3 HBKU (TR-5200 mode), 4 ZNQ, 5 GK-6300,
// 6 LumenXT, 7 Lumen, 8 TR-5400XT, 9 IP-RUX, 10 TR-5400, 11 VM-8100b/QF, 12 KB-7100. The routines
// take a scale's effective family (CLinkScaleSettings::GetScaleType).
#pragma once

#include <cstdint>
#include <string_view>

namespace varnel {

constexpr std::uint16_t kHighestScaleFamily = 12;

// The family's name in the string table; empty for a number above 12.
std::string_view GetScaleFamilyName(std::uint16_t family);

// The comma-separated families.
constexpr bool IsType9To12(std::uint16_t family) { return family >= 9 && family <= 12; }

// The comms data kind (0 to 42) of a table; kNoDataKind for a table that scales do not hold.
constexpr std::uint16_t kNoDataKind = 43;
std::uint16_t GetDataKindOfTable(std::uint16_t table);

}  // namespace varnel
