// The scale records of a PLU: the record of each scale family, the key record that deletes it, its
// unit-price and markdown change records and the record of the Lumen links.
//
//   families     record                                   code
//   0 to 5       decimal text, a layout per family         65, 84, 30, 39 or 83 (PluRecordText.cpp)
//   6, 8         packed BCD after the short header         30 (PluRecordBcd.cpp)
//   7            packed BCD of the Lumen links only        - (PluRecordBcd.cpp)
//   9 to 12      comma-separated text after the header     1001 (PluRecordCsv.cpp)
//
// Every builder that reads the PLU table's scratch row or current-scale fields runs under its build
// lock. A builder gives false, length 0 and an empty buffer for a family without a record, a PLU that
// does not exist, one that the active/inactive option holds back, and one refused because a value
// does not fit its fixed-width field; that last case names the field in `out.refusedField`.
#pragma once

#include "db/plu/DBComTb.h"
#include "db/site/GeneralSetup.h"
#include "db/site/SiteSettings.h"

#include <cstdint>
#include <span>

namespace varnel {

class CPluDefTb;

// Each builder follows the settings its output was handed (ScaleRecordOut::settings).

// The PLU as the scale takes it, seen in the scale's price zone.
bool BuildPluRecord(CPluDefTb& table, const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                    ScaleRecordOut& out);
// The record that names the PLU for deletion at a scale of `family`; PLU 0 stands for every PLU.
bool BuildKeyRecord(std::uint16_t family, std::uint32_t pluNumber, ScaleRecordOut& out);
bool BuildPriceChangeRecord(CPluDefTb& table, const BuildLock& lock, const CLinkScaleSettings& scale,
                            std::uint32_t pluNumber, ScaleRecordOut& out);
bool BuildMarkdownChangeRecord(CPluDefTb& table, const BuildLock& lock, const CLinkScaleSettings& scale,
                               std::uint32_t pluNumber, ScaleRecordOut& out);
// The highest PLU number that the family's record carries (0xFFFFFFFF: any).
std::uint32_t HighestPluNumber(const CGeneralSetup& setup, bool ausNz, std::uint16_t family);
// The record of a Lumen link for family 6, 7 or 8: the PLU row as stored, no zone view.
bool BuildLumenRecord(const CPluDefTb& table, const SiteSettings& site, std::uint16_t family, std::uint32_t pluNumber,
                      std::span<std::uint8_t> buffer, std::uint16_t& length);

}  // namespace varnel
