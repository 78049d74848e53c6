// CPluPriceZoneRec: one row of the PLU price-zone table. A PLU's values that differ in some price zone
// are kept as entries spread over rows of 16; the row's key is a row number of a sequence that the
// rows of all PLUs share, and the PLU it belongs to is stored in the row.
//
//   OFFSET  SIZE  CONTENT (little-endian)
//     0     128   PriceZoneInfo: 16 entries of 8 bytes:
//                   +0 u16 zone (0: unused; the first unused entry ends the list)
//                   +2 u16 field number (0: marked for removal)
//                   +4 i32 value
//   128       4   Plu_No1: the PLU number
#pragma once

#include "db/store/ColumnLayout.h"
#include "db/store/DBRecord.h"
#include "db/plu/PriceZoneEntry.h"
#include "db/site/FieldDefSet.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace varnel {

class ISiteRules;

class CPluDefRec;

inline constexpr ColumnDef kPriceZoneColumns[] = {
    {"Plu_No", DaoLong, 4, DBFieldDef::kKeyOffset, 0},
    {"PriceZoneInfo", DaoLongBinary, 128, 0, 0},
    {"Plu_No1", DaoLong, 4, 128, 0},
};

class CPluPriceZoneRec : public CDBRecord {
public:
    static constexpr std::size_t kEntryCount = 16;
    static constexpr std::uint16_t kDataSize = 132;

    std::uint8_t* GetData() override { return m_data.data(); }
    std::size_t GetDataRoom() const override { return m_data.size(); }
    std::uint16_t GetDataSize() const override { return kDataSize; }
    std::span<const std::uint8_t> Bytes() const { return m_data; }

    std::uint32_t GetPluNumber() const;
    void SetPluNumber(std::uint32_t pluNumber);
    PriceZoneEntry GetEntry(std::size_t place) const;
    void SetEntry(std::size_t place, const PriceZoneEntry& entry);
    // The entries in use: those before the first unused one.
    std::size_t CountEntries() const;

    // Append the row's entries of the zone (only price-zone fields under the definitions given), of
    // the field, or all of them; each is true when the list is not empty afterwards.
    bool CollectZoneEntries(std::uint16_t zone, const FieldDefSet& fields, PriceZoneEntries& entries) const;
    bool CollectFieldEntries(std::uint16_t fieldNo, PriceZoneEntries& entries) const;
    bool CollectAllEntries(PriceZoneEntries& entries) const;

    // Each of these is true when the row changed, and each ends as RemoveUnknownZones does, under the
    // site's zones and the price-zone fields of the definitions given.
    // Removes the entries of zones the site does not define and of fields that are not price-zone
    // fields (and those marked for removal); with no zone defined at all the row is emptied.
    bool RemoveUnknownZones(const ISiteRules& site, const FieldDefSet& fields);
    // Removes every entry of the zone; zone 0 does nothing.
    bool RemoveZone(std::uint16_t zone, const ISiteRules& site, const FieldDefSet& fields);
    // Keeps the first of the entries with the same zone and field.
    bool RemoveDuplicateEntries(const ISiteRules& site, const FieldDefSet& fields);
    // Removes every entry whose value is the PLU's own value of its field.
    bool RemoveBaseValueEntries(const CPluDefRec& plu, const ISiteRules& site, const FieldDefSet& fields);

    // Sets the value of the entry with the same zone and field; false when there is none.
    bool SetValue(const PriceZoneEntry& entry);
    // Puts the entry in the first unused place; false when all 16 are used.
    bool AddEntry(const PriceZoneEntry& entry);

private:
    // Marks for removal each entry in use that `matches` (place, entry); whether any was.
    template <class Pred>
    bool MarkEntries(Pred matches);

    std::array<std::uint8_t, kDataSize> m_data{};
};

}  // namespace varnel
