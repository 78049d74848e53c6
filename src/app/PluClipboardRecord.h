// The clipboard block of one copied PLU, as the PLU list writes and reads it under its private format.
// Every integer is little-endian.
//
//   SIZE  CONTENT
//     2   n: the size of the PLU row's data (4 to 2312)
//     n   the row's data, beginning with its 32-bit PLU number
//     2   m: 512 when the PLU's nutrition record follows, else 0
//     m   the nutrition record's data
//     2   z: 8 x the number of price-zone entries
//     z   the entries: zone (16 bits), field number (16 bits), value (32 bits)
//
// The block is n + m + z + 6 bytes. Any program may put a block of this format on the clipboard, so
// the reader takes nothing on trust: a block whose sizes break these rules reads as nothing.
#pragma once

#include "db/plu/PriceZoneEntry.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace varnel {

// The name the PLU list's clipboard format is registered under.
inline constexpr const char* kPluClipboardFormatName = "CPluDefRec_V2";

struct PluClipboardRecord {
    static constexpr std::size_t kMinRowSize = 4;
    static constexpr std::size_t kMaxRowSize = 2312;
    static constexpr std::size_t kNutritionSize = 512;
    static constexpr std::size_t kZoneEntrySize = 8;

    std::vector<std::uint8_t> row;        // the PLU row's data
    std::vector<std::uint8_t> nutrition;  // empty, or the 512 bytes of the nutrition record
    PriceZoneEntries zones;

    bool operator==(const PluClipboardRecord&) const = default;

    // The PLU number the row begins with.
    std::uint32_t GetPluNumber() const;
};

// The block of a record whose row holds 4 to 2312 bytes, whose nutrition is empty or 512 bytes and
// whose entries fit the 16-bit size; none for any other record.
std::optional<std::vector<std::uint8_t>> WritePluClipboardRecord(const PluClipboardRecord& record);

// The record of a well-formed block; none for anything else.
std::optional<PluClipboardRecord> ReadPluClipboardRecord(std::span<const std::uint8_t> block);

}  // namespace varnel
