// The choice of reader by family for a received PLU record, and what the readers share.
#include "db/records/PluRecordReaders.h"

#include "db/plu/PluMessageLinks.h"
#include "db/records/PluRecordLayouts.h"

namespace varnel {

void PutSlot(const CGeneralSetup& setup, CPluDefRec& row, int slot, const std::optional<std::int64_t>& value)
{
    if (value) SetMessageLink(setup, row, slot, static_cast<std::uint32_t>(*value));
}

std::optional<std::int64_t> DatabaseTare(const PluDecodeContext& context, std::optional<std::int64_t> value)
{
    if (value && context.scale.m_tareFormat == 1) *value *= 10;
    return value;
}

void TakeBackAddedDay(const PluDecodeContext& context, std::uint16_t highestShelfLife, bool bestBeforeToo)
{
    if (context.scale.m_addOneDay == 0) return;
    CPluDefRec& row = context.row;
    if (const std::uint16_t shelfLife = row.Get(PluCol::ShelfLife); shelfLife >= 1 && shelfLife <= highestShelfLife)
        row.Set(PluCol::ShelfLife, static_cast<std::uint16_t>(shelfLife - 1));
    if (const std::uint16_t bestBefore = row.Get(PluCol::BestBefore); bestBeforeToo && bestBefore != 0)
        row.Set(PluCol::BestBefore, static_cast<std::uint16_t>(bestBefore - 1));
}

DecodedPluFields DecodePluFields(const PluDecodeContext& context, std::span<const std::uint8_t> record)
{
    DecodedPluFields decoded;
    const std::uint16_t family = context.family;
    if (family <= 5) {
        decoded.text = ReadTextRecord(context, record);
        if (family == 2 && NeedsFamily2Conversion(context.setup, family)) UndoFamily2Conversion(context.row);
    } else if (family == 6 || family == 8) {
        decoded.text = ReadBcdBody(context, record, false);
    } else if (family >= 9 && family <= 12) {
        decoded.csvText = RecordText(record);
        decoded.csvText += '\0';
        const std::span<char> text(decoded.csvText);
        std::size_t position = 0;
        decoded.text = ReadCsvFields(context, text, position);
        decoded.priceFields = position;
        if (family != 9) ReadOwnPriceBlock(context, text, position);
    }
    return decoded;
}

}  // namespace varnel
