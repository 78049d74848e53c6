// The reading side of the PLU record layouts (PluRecordLayouts.h): each reader takes a record of its
// layout back into a PLU field block, reading every field from the place where its writer puts it and
// undoing what the writer changed on the way (joined and split flags, the scale's tare format). A
// field that does not read, as a number or because the record ends before it, leaves the block's value.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/LinkScaleSettings.h"
#include "db/site/TableRoles.h"
#include "db/plu/PluDefRec.h"
#include "db/text/RecordReader.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace varnel {

struct PluDecodeContext {
    CPluDefRec& row;  // the field block, holding the PLU's defaults or the database's values
    const CLinkScaleSettings& scale;
    std::uint16_t family;  // the scale's effective family
    const CGeneralSetup& setup;
    bool ausNz;  // the Australia/New Zealand nutrition layout is in use
    const TextRules& text;  // the site's, which the description's conversion follows
    const TableRoles& roles;  // the table's: the user's rights

    std::uint16_t Market() const { return setup.m_market; }
};

// Where a record's description stands, as the scale wrote it (for the comparison with the database's).
struct ScaleTextSpan {
    std::size_t start = 0;
    std::size_t length = 0;
};

// The PLU number of a record of the context's layout; none when it does not read.
std::optional<std::uint32_t> ReadPluNumber(const CGeneralSetup& setup, bool ausNz, std::uint16_t family,
                                           std::span<const std::uint8_t> record);

// Families 0 to 5: the whole record, its description included.
ScaleTextSpan ReadTextRecord(const PluDecodeContext& context, std::span<const std::uint8_t> record);
// Families 6 and 8: the body after the record header; the extended form is the Lumen links'.
ScaleTextSpan ReadBcdBody(const PluDecodeContext& context, std::span<const std::uint8_t> body, bool extended);
// Family 7: the Lumen links' body of the market and its text.
void ReadFamily7Record(const PluDecodeContext& context, std::span<const std::uint8_t> record);

// Families 9 to 12: the fields of the body before its description, then the quoted description. The
// body's text (`text`, which ends at its first 0 byte) is read in place; `position` ends after the
// description's comma, where the price fields begin.
ScaleTextSpan ReadCsvFields(const PluDecodeContext& context, std::span<char> text, std::size_t& position);
// The PLU's own price block at `position` (moved past it).
void ReadOwnPriceBlock(const PluDecodeContext& context, std::span<char> text, std::size_t& position);

// Stores a read value into a column when there is one; long columns take the low 32 bits.
template <class Value>
void Put(CPluDefRec& row, LongColumn column, const std::optional<Value>& value)
{
    if (value) row.Set(column, static_cast<std::int32_t>(*value));
}
template <class Value>
void Put(CPluDefRec& row, ShortColumn column, const std::optional<Value>& value)
{
    if (value) row.Set(column, static_cast<std::uint16_t>(*value));
}
template <class Value>
void Put(CPluDefRec& row, ByteColumn column, const std::optional<Value>& value)
{
    if (value) row.Set(column, static_cast<std::uint8_t>(*value));
}
// A message slot by the setup's mapping (PluMessageLinks.h).
void PutSlot(const CGeneralSetup& setup, CPluDefRec& row, int slot, const std::optional<std::int64_t>& value);
// The value of a tare kind as the scale's tare format gave it.
std::optional<std::int64_t> DatabaseTare(const PluDecodeContext& context, std::optional<std::int64_t> value);
// ShelfLife (and, for the comma-separated families, BestBefore) one day shorter again for a scale that
// adds a day: ShelfLife from 1 up to `highestShelfLife`, BestBefore when not 0.
void TakeBackAddedDay(const PluDecodeContext& context, std::uint16_t highestShelfLife, bool bestBeforeToo);

}  // namespace varnel

namespace varnel {

// A received record read into the context's field block by the family's reader, the family-2
// conversion undone. For families 9 to 12 `csvText` keeps the body's text, and `priceFields` tells
// where in it the price fields begin; families 10 to 12 have their own price block read already.
struct DecodedPluFields {
    ScaleTextSpan text;  // in the record, or in `csvText` for families 9 to 12
    std::string csvText;
    std::size_t priceFields = 0;
};
DecodedPluFields DecodePluFields(const PluDecodeContext& context, std::span<const std::uint8_t> record);

}  // namespace varnel
