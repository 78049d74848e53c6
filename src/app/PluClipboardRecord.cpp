// The PLU clipboard block.
#include "app/PluClipboardRecord.h"

#include <limits>

namespace varnel {
namespace {

void PutU16(std::vector<std::uint8_t>& out, std::uint16_t value)
{
    out.push_back(static_cast<std::uint8_t>(value));
    out.push_back(static_cast<std::uint8_t>(value >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    PutU16(out, static_cast<std::uint16_t>(value));
    PutU16(out, static_cast<std::uint16_t>(value >> 16));
}

std::uint16_t U16At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return static_cast<std::uint16_t>(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t U32At(std::span<const std::uint8_t> bytes, std::size_t at)
{
    return U16At(bytes, at) | (static_cast<std::uint32_t>(U16At(bytes, at + 2)) << 16);
}

// Reads the next size field and the bytes it counts; none when either would pass the block's end.
std::optional<std::span<const std::uint8_t>> TakePart(std::span<const std::uint8_t> block, std::size_t& at)
{
    if (block.size() - at < 2) return std::nullopt;
    const std::size_t size = U16At(block, at);
    at += 2;
    if (block.size() - at < size) return std::nullopt;
    const std::span<const std::uint8_t> part = block.subspan(at, size);
    at += size;
    return part;
}

}  // namespace

std::uint32_t PluClipboardRecord::GetPluNumber() const
{
    return row.size() < 4 ? 0 : U32At(row, 0);
}

std::optional<std::vector<std::uint8_t>> WritePluClipboardRecord(const PluClipboardRecord& record)
{
    using R = PluClipboardRecord;
    const std::size_t zoneBytes = record.zones.size() * R::kZoneEntrySize;
    if (record.row.size() < R::kMinRowSize || record.row.size() > R::kMaxRowSize) return std::nullopt;
    if (!record.nutrition.empty() && record.nutrition.size() != R::kNutritionSize) return std::nullopt;
    if (zoneBytes > std::numeric_limits<std::uint16_t>::max()) return std::nullopt;

    std::vector<std::uint8_t> block;
    block.reserve(record.row.size() + record.nutrition.size() + zoneBytes + 6);
    PutU16(block, static_cast<std::uint16_t>(record.row.size()));
    block.insert(block.end(), record.row.begin(), record.row.end());
    PutU16(block, static_cast<std::uint16_t>(record.nutrition.size()));
    block.insert(block.end(), record.nutrition.begin(), record.nutrition.end());
    PutU16(block, static_cast<std::uint16_t>(zoneBytes));
    for (const PriceZoneEntry& entry : record.zones) {
        PutU16(block, entry.zone);
        PutU16(block, entry.fieldNo);
        PutU32(block, static_cast<std::uint32_t>(entry.value));
    }
    return block;
}

std::optional<PluClipboardRecord> ReadPluClipboardRecord(std::span<const std::uint8_t> block)
{
    using R = PluClipboardRecord;
    std::size_t at = 0;
    const auto row = TakePart(block, at);
    if (!row || row->size() < R::kMinRowSize || row->size() > R::kMaxRowSize) return std::nullopt;
    const auto nutrition = TakePart(block, at);
    if (!nutrition || (!nutrition->empty() && nutrition->size() != R::kNutritionSize)) return std::nullopt;
    const auto zones = TakePart(block, at);
    if (!zones || zones->size() % R::kZoneEntrySize != 0 || at != block.size()) return std::nullopt;

    PluClipboardRecord record;
    record.row.assign(row->begin(), row->end());
    record.nutrition.assign(nutrition->begin(), nutrition->end());
    record.zones.reserve(zones->size() / R::kZoneEntrySize);
    for (std::size_t entry = 0; entry < zones->size(); entry += R::kZoneEntrySize)
        record.zones.push_back({U16At(*zones, entry), U16At(*zones, entry + 2),
                                static_cast<std::int32_t>(U32At(*zones, entry + 4))});
    return record;
}

}  // namespace varnel
