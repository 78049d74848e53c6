// What the decoders of family-9 PLU records do with the five extra price tables ("RuxPrice1" to
// "RuxPrice5"): a family-9 record carries one price block per table after its description, which each
// table takes in its own way. The database that has those tables hands the PLU table its
// implementation; without one a family-9 record's first price block is read as the PLU's own.
#pragma once

#include "db/plu/PluCompare.h"
#include "db/plu/RuxPriceLayout.h"
#include "db/site/LinkScaleSettings.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>

namespace varnel {

using RuxPriceRecordBytes = std::array<std::uint8_t, kRuxPriceRecordSize>;

class IRuxPriceTables {
public:
    virtual ~IRuxPriceTables() = default;

    // Table `table` (1 to 5) takes the block at `position` of `text` (which ends at its first 0 byte):
    // stores, replaces or, for an empty block, removes its record of the PLU, and moves the position
    // past the block. False when no record could be made.
    virtual bool StoreReceivedBlock(int table, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                                    std::span<char> text, std::size_t& position) = 0;
    // Compares the block at `position` with the table's record of the PLU and writes the compare
    // lines: 0 the same, 1 on the scale only, 2 in the database only, 3 different. The position moves
    // past the block.
    virtual int CompareReceivedBlock(int table, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                                     std::span<char> text, std::size_t& position, IPluCompareResults& results) = 0;
    // The table's record of the PLU; none when it holds none.
    virtual std::optional<RuxPriceRecordBytes> FindRecord(int table, std::uint32_t pluNumber) const = 0;
    // Resets the table's record of the PLU to its defaults, not in use (PriceNo 0), and rewrites it.
    virtual void ResetRecord(int table, std::uint32_t pluNumber) = 0;
};

}  // namespace varnel
