#include "db/plu/PriceChangeEntry.h"

#include "db/plu/PluDatabase.h"
#include "platform/ByteOrder.h"

namespace varnel {
namespace {

constexpr std::size_t kUnitPriceBytes = 8;
constexpr std::size_t kMarkdownBytes = 9;

}  // namespace

CPriceChangeRecord::CPriceChangeRecord(std::uint32_t pluNumber, const PriceChangeEntry& entry)
{
    SetHeader(CPluDatabase::kPriceChangeTableNo, kDataSize, kDataSize, pluNumber);
    StoreLe16(&m_data[0], entry.kind);
    StoreLe16(&m_data[2], entry.zone);
    StoreLe32(&m_data[4], static_cast<std::uint32_t>(entry.price));
    if (entry.kind == PriceChangeMarkdown) m_data[8] = entry.markdownFlag;
}

std::optional<PriceChangeEntry> DecodePriceChangeEntry(std::span<const std::uint8_t> data)
{
    if (data.size() < kUnitPriceBytes) return std::nullopt;
    PriceChangeEntry entry;
    entry.kind = LoadLe16(&data[0]);
    entry.zone = LoadLe16(&data[2]);
    entry.price = static_cast<std::int32_t>(LoadLe32(&data[4]));
    if (entry.kind == PriceChangeUnitPrice) return entry;
    if (entry.kind != PriceChangeMarkdown || data.size() < kMarkdownBytes) return std::nullopt;
    entry.markdownFlag = data[8];
    return entry;
}

}  // namespace varnel
