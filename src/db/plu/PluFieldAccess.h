// Access to PLU, extra price, nutrition and production fields by their numbers. Every such field has a
// number (also the string-table number of its caption) and a definition (CLabProp) in one of the main
// frame's maps; the numbers of the PLU and extra price fields are bound to row columns by the column
// tables of PluLayout.h and RuxPriceLayout.h.
//
//   1000         "User-Defined", heads the field setup lists (no column)
//   1001         "PLU Code", the row's key (no column here)
//   1002..1101   PLU columns; 1102 ends the range
//   1200..1237   extra price record columns; 1238 ends the range
//   1500..1534   nutrition fields; 1535 ends the range
//   1600..1619   production and test fields; 1620 ends the range
#pragma once

#include "db/site/LabProp.h"
#include "db/site/MainFrame.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace varnel {

class CPluDefRec;

// Storage kinds.
enum FieldKind : std::uint16_t { FieldText = 0, FieldByte = 1, FieldWord = 2, FieldLong = 3, FieldNone = 4 };

// The definition of that field number in the map; null when there is none.
const CLabProp* FindFieldDef(std::uint16_t fieldNo, const CLabPropMap& map);
// From the main frame's maps; null without a frame.
const CLabProp* GetPluFieldDef(std::uint16_t fieldNo);
const CLabProp* GetPluFieldDef2(std::uint16_t fieldNo);
// The PLU map, else the second PLU map.
const CLabProp* FindPluFieldDefAny(std::uint16_t fieldNo);
const CLabProp* GetRuxPriceFieldDef(std::uint16_t fieldNo);
const CLabProp* GetNutritionFieldDef(std::uint16_t fieldNo);
const CLabProp* GetProductionFieldDef(std::uint16_t fieldNo);

// The PLU field definitions for the scales on the links: the PLU map; with only family-9 scales in
// multi-store operation the second PLU map; in every other mix with such scales both, the second
// map's definition replacing the first's of the same number. In field-number order.
std::vector<const CLabProp*> GetPluFieldDefs();

// The decimals of a field's definition: below 1102 from the PLU map (the second one with only
// family-9 scales in multi-store operation), 1200 to 1237 from the extra price map, other numbers
// below 1535 from the nutrition map, 1535 to 1619 from the production map; 0 without a definition.
std::uint16_t GetFieldDecimals(std::uint16_t fieldNo);
// The decimals of this PLU's value: a price's (GetPriceDecimals, of Unit Price by the Sales Mode and of
// Markdown Price by the Markdown flag); "Expiry Time" has 0 unless the expiry time flag is 2;
// otherwise the definition's.
std::uint16_t GetPluFieldDecimals(const CLabProp& definition, const CPluDefRec& row);
// The same from the values the decimals depend on; a value not given (its field not shown by the
// caller) leaves the definition's decimals.
struct PluDecimalDeps {
    std::optional<std::uint8_t> salesMode;
    std::optional<std::uint8_t> markdownFlag;
    std::optional<std::uint8_t> expiryTimeFlag;
};
std::uint16_t GetPluFieldDecimals(const CLabProp& definition, const PluDecimalDeps& deps);
// The decimals a price is typed and shown with, from its field's: a markdown with a percentage flag
// has 1 with the general setup's "Different dec. pt. for markdown percentage?" on and 0 with it off;
// with "Different dec. pt. for unit/fixed price" on, a price of a weighed PLU (Sales Mode 0) and a
// markdown of an extra-decimal kind have one more.
std::uint16_t GetPriceDecimals(std::uint16_t fieldDecimals, bool markdown, std::uint8_t salesMode,
                               std::uint8_t markdownFlag);
// What of the general setup the decimals of prices and the percentage markdown flags follow: under
// equal rules a field keeps its decimals, so a caller may keep what it worked out.
struct PriceDecimalRules {
    std::uint16_t family = 0;      // the default scale family, which picks the percentage flags
    bool percentDecimal = false;   // "Different dec. pt. for markdown percentage"
    bool extraDecimal = false;     // "Different dec. pt. for unit/fixed price"
    bool operator==(const PriceDecimalRules&) const = default;
};
PriceDecimalRules CurrentPriceDecimalRules();

// Numeric values of a PLU: byte and word columns unsigned, long columns signed. Setting cuts the
// value to the column's width and is false (storing nothing) for fields without a numeric column;
// getting gives 0 for them.
std::uint16_t GetPluFieldType(const CLabProp& definition);
bool SetPluFieldValue(CPluDefRec& row, const CLabProp& definition, std::int32_t value);
std::int32_t GetPluFieldValue(const CPluDefRec& row, const CLabProp& definition);
// The same by field number, for values that name their field by number only (price-zone entries).
bool SetPluFieldValue(CPluDefRec& row, std::uint16_t fieldNo, std::int32_t value);
std::int32_t GetPluFieldValue(const CPluDefRec& row, std::uint16_t fieldNo);

// The same over an extra price record of 132 bytes. 1229 to 1232 have storage kind 4 but are read
// and written as the bytes they are.
std::uint16_t GetRuxPriceFieldType(const CLabProp& definition);
bool SetRuxPriceFieldValue(std::span<std::uint8_t> record, const CLabProp& definition, std::int32_t value);
std::int32_t GetRuxPriceFieldValue(std::span<const std::uint8_t> record, const CLabProp& definition);

bool IsRuxPriceField(const CLabProp& definition);
// 1021 "Pack Time" and 1023 "Expiry Time".
bool IsTimeField(const CLabProp& definition);
// The extra price definition that a PLU field's value goes to; a definition of an extra price field
// itself; null otherwise.
const CLabProp* MapPluFieldToRuxPrice(const CLabProp& definition);

// Markdown flags: a percentage markdown (2 for default families 2 and 3; 3 for the other families
// below 8; 3 and 6 from family 8 on; without a family given, the main frame's default one), an extra
// decimal (4 and 5); expiry time flag mode 2.
bool IsPercentMarkdown(std::uint8_t markdownFlag, std::uint16_t defaultFamily);
bool IsPercentMarkdown(std::uint8_t markdownFlag);
bool IsExtraDecimalMarkdown(std::uint8_t markdownFlag);
bool IsExpTimeFlagMode2(std::uint8_t expiryTimeFlag);

// The value with `decimals` fraction digits after `point` ('.' when 0): -5 with 2 and ',' is "-0,05".
std::string FormatFixedPoint(std::uint16_t decimals, char point, std::int32_t value);

}  // namespace varnel
