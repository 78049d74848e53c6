// The build of a PLU's scale record: the PLU in the scale's price zone, the rules that hold a PLU back
// or change it for a family, the choice of layout by family and the record header; and the key record
// that names a PLU for deletion.
#include "db/records/PluRecord.h"

#include "db/plu/DeptGroupItemCode.h"
#include "db/text/DoubleByteText.h"
#include "db/plu/PluDefTb.h"
#include "db/records/PluRecordLayouts.h"
#include "db/records/ScaleRecordOut.h"
#include "db/text/RecordHeader.h"

namespace varnel {
namespace {

constexpr std::uint16_t kCodeBcdRecord = 30;
constexpr std::uint16_t kCodeCsvRecord = 1001;
constexpr std::uint16_t kCodeTextKey = 10;
constexpr std::uint16_t kCodeBcdKey = 0;
constexpr std::uint16_t kCodeCsvKey = 1;
constexpr std::int32_t kCtrlFlagInactive = 1;

bool IsHeldBack(const CGeneralSetup& setup, const CPluDefRec& row)
{
    return setup.m_pluActiveInactive != 0 && (row.Get(PluCol::CtrlFlag) & kCtrlFlagInactive) != 0;
}

// The row copied into the scratch row, for a change that only this build may see.
CPluDefRec& ScratchCopy(CPluDefTb& table, const BuildLock& lock, const CPluDefRec& row)
{
    CPluDefRec& scratch = table.GetScratchRow(lock);
    if (&scratch != &row) scratch.CopyDataFrom(row);
    return scratch;
}

// The row a family-2 or family-3 scale is sent: converted, or without markdown, in the scratch row.
const CPluDefRec& RowForFamily(CPluDefTb& table, const BuildLock& lock, const CGeneralSetup& setup,
                               std::uint16_t family, const CPluDefRec& row)
{
    if (NeedsFamily2Conversion(setup, family)) {
        CPluDefRec& scratch = ScratchCopy(table, lock, row);
        ConvertForFamily2(scratch);
        return scratch;
    }
    if (family == 3 && setup.m_couponSupport != 0 && setup.m_noMarkdownFamily3 != 0) {
        CPluDefRec& scratch = ScratchCopy(table, lock, row);
        scratch.Set(PluCol::MarkFlag, 0);
        scratch.Set(PluCol::MarkPrice, 0);
        return scratch;
    }
    return row;
}

const CPluDefRec* FindRow(const CPluDefTb& table, std::uint32_t pluNumber)
{
    return dynamic_cast<const CPluDefRec*>(table.FindRecord(pluNumber));
}

}  // namespace

void WriteDeptGroupItemCode(const PluRecordContext& context, RecordFields& fields, bool packed)
{
    const std::optional<std::string> code = MakeDeptGroupItemCode(context.row);
    if (!code) return fields.Refuse("department-group-item code");
    if (packed)
        fields.BcdText("department-group-item code", *code, code->size());
    else
        fields.Text(*code, "department-group-item code");
}

namespace {

// The record of the stored row of PLU `pluNumber`.
bool BuildRecordOfRow(CPluDefTb& table, const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                      const CPluDefRec* stored, ScaleRecordOut& out)
{
    out.refusedField = {};
    ClearScaleRecordOut(out);
    const CPluDefTb::CurrentScale current(table, lock, scale);
    const SiteSettings& site = BuildSettings(out);
    const std::uint16_t family = scale.GetScaleType(site.setup.m_defaultScaleFamily);
    if (!stored || family == 7 || family > 12) return false;
    const CGeneralSetup& setup = site.setup;
    const CPluDefRec& zoneRow = table.GetCurrentZonePlu(lock, *stored);
    if (IsHeldBack(setup, zoneRow)) return false;
    const PluRecordContext context{RowForFamily(table, lock, setup, family, zoneRow),
                                   pluNumber,
                                   scale,
                                   family,
                                   setup,
                                   site.text.ausNzNutrition,
                                   table.GetCompanionData(),
                                   site.text,
                                   table.GetRoles()};
    RecordFields fields(out.buffer);
    if (family <= 5) {
        const std::uint16_t code = WriteTextRecord(context, fields);
        return FinishScaleRecord(fields, code, out);
    }
    fields.ZeroBytes(kRecordHeaderSize);
    const bool bcd = family == 6 || family == 8;
    if (bcd)
        WriteBcdBody(context, fields, false);
    else
        WriteCsvBody(context, fields);
    const std::uint16_t code = bcd ? kCodeBcdRecord : kCodeCsvRecord;
    PutScaleRecordHeader(out, fields, code, bcd);
    return FinishScaleRecord(fields, code, out);
}

}  // namespace

bool BuildPluRecord(CPluDefTb& table, const BuildLock& lock, const CLinkScaleSettings& scale, std::uint32_t pluNumber,
                    ScaleRecordOut& out)
{
    return BuildRecordOfRow(table, lock, scale, pluNumber, FindRow(table, pluNumber), out);
}

bool BuildKeyRecord(std::uint16_t family, std::uint32_t pluNumber, ScaleRecordOut& out)
{
    out.refusedField = {};
    ClearScaleRecordOut(out);
    RecordFields fields(out.buffer);
    if (family <= 5) {
        const bool withFileCode =
            family != 1 && family != 2 && family != 3 && BuildSettings(out).setup.m_market != MarketUsa;
        fields.Text(withFileCode ? "1001" : "10");
        fields.Decimal("PLU number", pluNumber, 6);
        return FinishScaleRecord(fields, kCodeTextKey, out);
    }
    if (family == 6 || family == 8) {
        fields.Bcd("PLU number", pluNumber, 8);
        return FinishScaleRecord(fields, kCodeBcdKey, out);
    }
    if (family < 9 || family > 12) return false;
    fields.ZeroBytes(kRecordHeaderSize);
    fields.CsvNumber(pluNumber);
    PutScaleRecordHeader(out, fields, kCodeCsvKey, false);
    return FinishScaleRecord(fields, kCodeCsvKey, out);
}

bool BuildLumenRecord(const CPluDefTb& table, const SiteSettings& site, std::uint16_t family, std::uint32_t pluNumber,
                      std::span<std::uint8_t> buffer, std::uint16_t& length)
{
    length = 0;
    const CPluDefRec* row = FindRow(table, pluNumber);
    if (!row || family < 6 || family > 8) return false;
    CLinkScaleSettings scale;
    scale.m_scaleType = family;
    const PluRecordContext context{*row,
                                   pluNumber,
                                   scale,
                                   family,
                                   site.setup,
                                   site.text.ausNzNutrition,
                                   table.GetCompanionData(),
                                   site.text,
                                   table.GetRoles()};
    RecordFields fields(buffer);
    if (family == 7)
        WriteFamily7Record(context, fields);
    else
        WriteBcdBody(context, fields, true);
    if (!fields.Ok() || fields.Position() > 0xFFFF) {
        if (fields.Refused()) LogRefusedRecord(table.GetRoles().log, "Lumen", pluNumber, fields.RefusedField());
        return false;
    }
    length = static_cast<std::uint16_t>(fields.Position());
    return true;
}

std::uint32_t CPluDefTb::GetHighestKeyFor(const CLinkScaleSettings& scale, const ScaleRecordOut& out) const
{
    const SiteSettings& site = BuildSettings(out);
    return std::min(GetMaxKey(), HighestPluNumber(site.setup, site.text.ausNzNutrition,
                                                  scale.GetScaleType(site.setup.m_defaultScaleFamily)));
}

bool CPluDefTb::EncodeRecord(const BuildLock& lock, const CLinkScaleSettings& scale, const CDBRecord& record,
                             ScaleRecordOut& out)
{
    // The walks hand over the stored row itself: no second search of the index.
    return BuildRecordOfRow(*this, lock, scale, record.GetKey(), dynamic_cast<const CPluDefRec*>(&record), out);
}

bool CPluDefTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                ScaleRecordOut& out)
{
    return BuildKeyRecord(GetRoles().FamilyOf(scale), key, out);
}

bool CPluDefTb::EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                                  std::uint16_t& length)
{
    const SiteSettings site{GetRoles().Setup(), GetRoles().Text()};
    return BuildLumenRecord(*this, site, family, key, buffer, length);
}

const IPluCompanionData& CPluDefTb::GetCompanionData() const
{
    static const CNoPluCompanionData none;
    return m_companions ? *m_companions : none;
}

}  // namespace varnel
