// The price-change entries of a batch journal: a change of a PLU's unit price or markdown, journaled
// under table number 14, which has no table of its own, keyed by the PLU number.
//
//   OFFSET SIZE FIELD (little-endian)
//     0     2   change kind: 0 unit price, 1 markdown
//     2     2   price zone (0: the PLU row itself)
//     4     4   new price, signed
//     8     1   markdown flag (kind 1; 0 for kind 0)
//     9     3   zero
//
// Entries are written with all 12 bytes; one is read as long as it holds what its kind needs.
#pragma once

#include "db/store/DBRecord.h"

#include <array>
#include <cstdint>
#include <optional>
#include <span>

namespace varnel {

enum PriceChangeKind : std::uint16_t { PriceChangeUnitPrice = 0, PriceChangeMarkdown = 1 };

struct PriceChangeEntry {
    std::uint16_t kind = PriceChangeUnitPrice;
    std::uint16_t zone = 0;
    std::int32_t price = 0;
    std::uint8_t markdownFlag = 0;
};

// The entry as a record of table 14 to journal: capacity and length 12.
class CPriceChangeRecord final : public CDBRecord {
public:
    static constexpr std::uint16_t kDataSize = 12;

    CPriceChangeRecord(std::uint32_t pluNumber, const PriceChangeEntry& entry);
    std::uint8_t* GetData() override { return m_data.data(); }
    std::size_t GetDataRoom() const override { return m_data.size(); }
    std::uint16_t GetDataSize() const override { return kDataSize; }

private:
    std::array<std::uint8_t, kDataSize> m_data{};
};

// None for a kind other than 0 and 1, or for data too short for its kind (8 bytes for a unit price,
// 9 for a markdown).
std::optional<PriceChangeEntry> DecodePriceChangeEntry(std::span<const std::uint8_t> data);

}  // namespace varnel
