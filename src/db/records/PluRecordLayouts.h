// The layouts of the PLU scale records, shared by the record builders: what one build knows, and the
// writer of each family's layout. Each writer puts its fields into `fields` from the position it is
// given and refuses the record (RecordFields::Refuse) for a value its layout cannot carry.
#pragma once

#include "db/site/GeneralSetup.h"
#include "db/site/LinkScaleSettings.h"
#include "db/site/TableRoles.h"
#include "db/plu/PluCompanionData.h"
#include "db/plu/PluDefRec.h"
#include "db/text/RecordFields.h"

#include <cstdint>

namespace varnel {

struct PluRecordContext {
    const CPluDefRec& row;
    std::uint32_t plu;
    const CLinkScaleSettings& scale;
    std::uint16_t family;  // the scale's effective family
    const CGeneralSetup& setup;
    bool ausNz;  // the Australia/New Zealand nutrition layout is in use
    const IPluCompanionData& companions;
    const TextRules& text;  // the site's, which the description's conversion follows
    const TableRoles& roles;  // the table's: the user's rights and the event log

    std::uint16_t Market() const { return setup.m_market; }
    bool HasNutrition() const { return row.Get(PluCol::Nutrition) != 0; }
};

// Families 0 to 5; the record code they take.
std::uint16_t WriteTextRecord(const PluRecordContext& context, RecordFields& fields);
// Families 6 and 8: the packed-BCD body; the extended form is the Lumen links'.
void WriteBcdBody(const PluRecordContext& context, RecordFields& fields, bool extended);
// Family 7, the Lumen links' body of the market, its text length and text.
void WriteFamily7Record(const PluRecordContext& context, RecordFields& fields);
// Families 9 to 12: the comma-separated body after the record header.
void WriteCsvBody(const PluRecordContext& context, RecordFields& fields);
// The most scale bytes of the description of families 9 to 12.
std::size_t MaxCsvDescLength(std::uint16_t family, std::uint16_t market, bool ausNz);

// The department-group-item code, refusing the record when it cannot be made.
void WriteDeptGroupItemCode(const PluRecordContext& context, RecordFields& fields, bool packed);
// A flag with its values 1 and 2 swapped (open price, best-before flag).
std::uint8_t SwapOneAndTwo(std::uint8_t openPrice);

// Family-2 scales get their PLUs converted when the setup asks for it or its default family is none of
// 0, 2, 4 and 5 (PluFamily2.cpp); the PLUs they send back are converted back.
bool NeedsFamily2Conversion(const CGeneralSetup& setup, std::uint16_t family);
void ConvertForFamily2(CPluDefRec& row);
void UndoFamily2Conversion(CPluDefRec& row);

}  // namespace varnel
