#include "scaledata/TrayTb.h"

#include "db/text/CsvFields.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/ReceivedRows.h"
#include "scaledata/RowRecordKind.h"

namespace varnel {
namespace {

using namespace tray_columns;

constexpr std::uint16_t kRecordCode = 1030;
constexpr std::uint16_t kKeyCode = 30;
constexpr std::uint16_t kFamily = 9;
// The name goes behind the escapes of a line in font 6, written as text for the scale to read.
constexpr std::string_view kNameOpening = "\\x0d\\x06";
constexpr std::size_t kNameFieldMax = 39;

struct TraySite {
    TextRules rules;
};

using Kind = RowRecordKind<CTrayRec, TraySite, kColumns>;
using F = LayoutFields<Kind>;
using Field = LayoutField<Kind>;

bool HasFeedStop(const TraySite& s) { return s.rules.market != MarketTaiwan; }

void WriteName(const Kind::Source& s, RecordFields& f)
{
    f.Text("\"");
    f.Text(kNameOpening);
    for (const char ch : s.row.Get(kName)) f.Text(ch == '"' ? "\"\"" : std::string_view(&ch, 1), "Name");
    f.Text("\",");
}
void ReadName(const Kind::Target& t, CsvFieldReader& r)
{
    std::string field;
    CsvReadText(r.Buffer(), r.Position(), kNameFieldMax, field, t.site.rules.chars);
    t.row.Set(kName, field.size() > kNameOpening.size() ? field.substr(kNameOpening.size()) : std::string{});
}

constexpr Field kRecord[] = {
    F::CsvNumber("Tray_No", Kind::Key, Kind::PutKey),
    F::CsvNumber(kTrayType),
    F::CsvNumber(kTrayShape),
    F::CsvNumber(kAutoDetect),
    F::CsvNumber(kLength),
    F::CsvNumber(kWidth),
    F::CsvNumber(kHeight),
    F::CsvNumber(kBottomLength),
    F::CsvNumber(kDetectLength),
    F::CsvNumber(kDetectWidth),
    F::CsvNumber(kTrayWeight),
    F::CsvNumber(kFilmWeight),
    F::CsvCustom(WriteName, ReadName),
    F::CsvNumber(kFilmSel),
    F::CsvNumber(kLiftSel),
    F::CsvNumber(kWrapSpeed),
    F::CsvNumber(kWrapPos1),
    F::CsvNumber(kWrapSidePos1),
    F::CsvNumber(kWrapVerticalPos1),
    F::CsvNumber(kWrapPos2),
    F::CsvNumber(kWrapSidePos2),
    F::CsvNumber(kWrapVerticalPos2),
    F::CsvNumber(kWrapPos3),
    F::CsvNumber(kWrapSidePos3),
    F::CsvNumber(kWrapVerticalPos3),
    F::CsvNumber(kTraySearch),
    F::CsvNumber(kContainer),
    F::CsvNumber(kFeedStopPos).When(HasFeedStop),
};

}  // namespace

void CTrayRec::SetEditorDefaults()
{
    for (const ByteColumn choice : {kTrayType, kTrayShape, kFilmSel, kLiftSel, kWrapSpeed, kWrapPos1, kWrapSidePos1,
                                    kWrapPos2, kWrapSidePos2, kWrapPos3, kWrapSidePos3, kFeedStopPos})
        Set(choice, 1);
    Set(kAutoDetect, 2);
    for (const ByteColumn height : {kWrapVerticalPos1, kWrapVerticalPos2, kWrapVerticalPos3}) Set(height, 6);
    Set(kTraySearch, 0);
    Set(kLength, 200);
    Set(kWidth, 130);
    Set(kHeight, 30);
}

CTrayRec* CTrayTb::FindTray(std::uint32_t number) const { return FindRow(number); }

void CTrayTb::CreateTableDef(MdbTableDef& definition) const
{
    CObjDBTable::CreateTableDef(definition);
    DeclareTextWidth(*this, definition, "Name", kDeclaredNameWidth);
}

bool CTrayTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                           ScaleRecordOut& out)
{
    ClearScaleRecordOut(out);
    const CTrayRec* row = AsRow(record);
    if (!row || GetRoles().FamilyOf(scale) != kFamily) return false;
    const TraySite site{GetRoles().Text()};
    return BuildScaleRecord(out, HeaderKind::Long, kRecordCode, [&](RecordFields& f) {
        WriteLayout<Kind>(kRecord, {site, record.GetKey(), *row}, f);
    });
}

bool CTrayTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                              ScaleRecordOut& out)
{
    ClearScaleRecordOut(out);
    return GetRoles().FamilyOf(scale) == kFamily && EncodeCsvKeyRecord(key, kKeyCode, out);
}

bool CTrayTb::DecodeRecordType9(const CLinkScaleSettings&, std::span<const std::uint8_t> data)
{
    const TraySite site{GetRoles().Text()};
    return StoreReceivedCsv<Kind>(*this, kRecord, site, site.rules.chars, data, GetMinKey(), GetMaxKey(),
                                  CTrayRec::kSize);
}

}  // namespace varnel
