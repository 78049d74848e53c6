#include "scaledata/StoreSetupTb.h"

#include "scaledata/MessageEncoding.h"
#include "scaledata/QuotedFields.h"
#include "scaledata/ReceivedRows.h"
#include "scaledata/RowRecordKind.h"

namespace varnel {
namespace {

using namespace store_setup_columns;

constexpr std::uint16_t kRecordCode = 1002;
constexpr std::uint16_t kKeyCode = 2;

struct StoreSetupSite {
    const CLinkScaleSettings* scale;
    std::uint16_t family;  // the scale's
    TextRules rules;
};

using Kind = RowRecordKind<CStoreSetupRec, StoreSetupSite, kColumns>;
using F = LayoutFields<Kind>;
using Field = LayoutField<Kind>;

bool IsFamily9(const StoreSetupSite& s) { return s.family == 9; }
bool HasSettings(const StoreSetupSite& s) { return s.family != 12; }

// The scales number the price masters from 1; a price master of 0 read back (no index) is passed over.
std::int64_t PriceNumber(const Kind::Source& s) { return std::int64_t{s.row.Get(kPriceId)} + 1; }
void PutPriceNumber(const Kind::Target& t, std::int64_t number)
{
    if (number >= 1 && number <= 0x10000) t.row.Set(kPriceId, static_cast<std::uint16_t>(number - 1));
}

template <TextColumn Column>
void WriteText(const Kind::Source& s, RecordFields& f)
{
    WriteQuotedField(s.site.rules, *s.site.scale, s.row.Get(Column), f);
}
template <TextColumn Column>
void ReadText(const Kind::Target& t, CsvFieldReader& r)
{
    t.row.Set(Column, ReadQuotedField(t.site.rules, *t.site.scale, CStoreSetupRec::kTextMax, r));
}

constexpr Field kSettings[] = {
    F::CsvNumber("PriceId", PriceNumber, PutPriceNumber).WrittenWhen(IsFamily9),
    F::CsvNumber(kPrintFlag).WrittenWhen(IsFamily9),
    F::CsvNumber(kBottomPrintFlag).WrittenWhen(IsFamily9),
    F::CsvNumber(kTopFormat).WrittenWhen(IsFamily9),
    F::CsvNumber(kBottomFormat).WrittenWhen(IsFamily9),
    F::CsvNumber(kPrinterSel).WrittenWhen(IsFamily9),
    F::CsvNumber(kPosFlagSel).WrittenWhen(IsFamily9),
    F::CsvNumber(kPosFlagNon13).WrittenWhen(IsFamily9),
    F::CsvNumber(kPosFlagNon8).WrittenWhen(IsFamily9),
    F::CsvNumber(kPosFlagPlu13).WrittenWhen(IsFamily9),
    F::CsvNumber(kPosFlagPlu8).WrittenWhen(IsFamily9),
    F::CsvNumber(kRegCode).WrittenWhen(IsFamily9),
    F::CsvNumber(kPosCodeType).WrittenWhen(IsFamily9),
    F::CsvNumber(kBottomType).WrittenWhen(IsFamily9),
    F::CsvNumber(kTopBar).WrittenWhen(IsFamily9),
};

constexpr Field kRecord[] = {
    F::CsvNumber("Store_No", Kind::Key, Kind::PutKey),
    F::CsvCustom(WriteText<kName>, ReadText<kName>),
    F::CsvCustom(WriteText<kAddress>, ReadText<kAddress>),
    F::Block(kSettings).When(HasSettings),
};

bool IsCsvFamily(std::uint16_t family) { return family >= 9 && family <= 12; }

}  // namespace

CStoreSetupRec::CStoreSetupRec() : CFixedScaleDataRow(kSize)
{
    Set(kPriceId, 1);
    Set(kPrintFlag, 1);
    Set(kBottomPrintFlag, 1);
    Set(kPrinterSel, 1);
    Set(kPosFlagNon13, 2);
    Set(kPosFlagNon8, 2);
    Set(kPosFlagPlu13, 49);
    Set(kPosFlagPlu8, 49);
    Set(kBottomType, 1);
    Set(kTopBar, 2);
}

CStoreSetupRec* CStoreSetupTb::FindStore(std::uint32_t number) const { return FindRow(number); }

bool CStoreSetupTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                                 ScaleRecordOut& out)
{
    ClearScaleRecordOut(out);
    const CStoreSetupRec* row = AsRow(record);
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    if (!row || !IsCsvFamily(family)) return false;
    const StoreSetupSite site{&scale, family, GetRoles().Text()};
    return BuildScaleRecord(out, HeaderKind::Long, kRecordCode, [&](RecordFields& f) {
        WriteLayout<Kind>(kRecord, {site, record.GetKey(), *row}, f);
    });
}

bool CStoreSetupTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                    ScaleRecordOut& out)
{
    ClearScaleRecordOut(out);
    return IsCsvFamily(GetRoles().FamilyOf(scale)) && EncodeCsvKeyRecord(key, kKeyCode, out);
}

bool CStoreSetupTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const StoreSetupSite site{&scale, GetRoles().FamilyOf(scale), GetRoles().Text()};
    return StoreReceivedCsv<Kind>(*this, kRecord, site, site.rules.chars, data, GetMinKey(), GetMaxKey(),
                                  CStoreSetupRec::kSize);
}

}  // namespace varnel
