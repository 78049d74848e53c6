// A PLU field's value in one price zone, and the lists of them that the price-zone table loads and
// stores. Zone 0 is the PLU's own values: an entry never names it.
#pragma once

#include <cstdint>
#include <vector>

namespace varnel {

class CPluDefRec;
class FieldDefSet;

struct PriceZoneEntry {
    std::uint16_t zone = 0;
    std::uint16_t fieldNo = 0;
    std::int32_t value = 0;

    bool operator==(const PriceZoneEntry&) const = default;
};

using PriceZoneEntries = std::vector<PriceZoneEntry>;

// Frees a list's entries and empties it. The list holds its entries by value, so emptying it frees them;
// its room stays for the next load.
inline void FreeZoneEntries(PriceZoneEntries& entries) { entries.clear(); }

// The value of the entry (field, zone) in the list, else the PLU's own value of the field.
std::int32_t GetZoneValue(const CPluDefRec& plu, const PriceZoneEntries& entries, std::uint16_t fieldNo,
                          std::uint16_t zone);
// The value of the first entry of the field in the list, else the PLU's own value.
std::int32_t GetEntryValue(const CPluDefRec& plu, const PriceZoneEntries& entries, std::uint16_t fieldNo);
// Replaces the value of the entry (field, zone), or appends one.
void SetZoneEntry(std::uint16_t fieldNo, std::uint16_t zone, std::int32_t value, PriceZoneEntries& entries);

// The value goes into the list when the zone is not 0 and the field is a price-zone field under the
// definitions given (replacing or appending, as SetZoneEntry), else into the PLU row.
void SetPluOrZoneValue(CPluDefRec& plu, PriceZoneEntries& entries, std::uint16_t zone, std::uint16_t fieldNo,
                       std::int32_t value, const FieldDefSet& fields);

}  // namespace varnel
