#include "scaledata/ScrollMsgTb.h"

#include "db/text/NationalChars.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/ReceivedRows.h"
#include "scaledata/ScrollMsgRecords.h"

namespace varnel {
namespace {

constexpr std::uint16_t kTextCode = 36;
constexpr std::uint16_t kLongTextCode = 68;
constexpr std::uint16_t kBinaryCode = 21;
constexpr std::uint16_t kCsvCode = 1029;
constexpr std::uint16_t kTextKeyCode = 14;
constexpr std::uint16_t kBinaryKeyCode = 19;
constexpr std::uint16_t kCsvKeyCode = 29;
constexpr std::size_t kShortestDataSaveRecord = 7;
constexpr std::uint16_t kLastScrollMode = 3;

ScrollRecordSite SiteOf(const ScaleDataRoles& roles, std::uint16_t family, const CScrollMsgRec* row = nullptr)
{
    const CGeneralSetup& setup = roles.Setup();
    ScrollRecordSite site{roles.Text(), family, false};
    if (row && (family == 2 || family == 3)) {
        using namespace scroll_columns;
        const bool usaFamily0 = setup.m_defaultScaleFamily == 0 && setup.m_market == MarketUsa;
        const bool scrolling = usaFamily0 ? row->Get(kDispMode) <= kLastScrollMode : row->Get(kIsScroll) != 0;
        site.twoLines = !scrolling;
    }
    return site;
}

bool IsFamily045(std::uint16_t family) { return family == 0 || family == 4 || family == 5; }

}  // namespace

CScrollMsgRec* CScrollMsgTb::FindMessage(std::uint32_t number) const { return FindRow(number); }

bool CScrollMsgTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                                ScaleRecordOut& out)
{
    ClearScaleRecordOut(out);
    const CScrollMsgRec* row = AsRow(record);
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    if (!row) return false;
    const ScrollRecordSite site = SiteOf(GetRoles(), family, row);
    const std::uint32_t key = record.GetKey();
    const auto write = [&](ScrollForm form) {
        return [&, form](RecordFields& f) { WriteScrollRecord(form, site, key, *row, f); };
    };
    switch (family) {
    case 0:
    case 1:
    case 2:
    case 3:
    case 4:
    case 5: {
        const bool long68 = IsFamily045(family) && site.rules.market == MarketUsa;
        return BuildScaleRecord(out, HeaderKind::None, long68 ? kLongTextCode : kTextCode, [&](RecordFields& f) {
            write(ScrollForm::Text)(f);
            if (IsFamily045(family) && f.Ok()) TranslateNationalBytes(f.WrittenSince(0), site.rules.market, true);
            f.Terminate();
        });
    }
    case 8: return BuildScaleRecord(out, HeaderKind::Short, kBinaryCode, write(ScrollForm::Binary));
    case 10:
    case 12: return BuildScaleRecord(out, HeaderKind::Long, kCsvCode, write(ScrollForm::CsvA));
    case 11: return BuildScaleRecord(out, HeaderKind::Long, kCsvCode, write(ScrollForm::CsvB));
    default: return false;  // families 6, 7 and 9
    }
}

bool CScrollMsgTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                   ScaleRecordOut& out)
{
    ClearScaleRecordOut(out);
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    if (family <= 5) {
        const bool tagged = IsFamily045(family) && GetRoles().Setup().m_market != MarketUsa;
        return BuildScaleRecord(out, HeaderKind::None, kTextKeyCode, [&](RecordFields& f) {
            f.Text(tagged ? "1401" : "14");
            f.Decimal("Message_No", key, 1);
            f.Terminate();
        });
    }
    if (family == 8)
        return BuildScaleRecord(out, HeaderKind::None, kBinaryKeyCode,
                                [key](RecordFields& f) { f.Bcd("Message_No", key, 2); });
    if (family >= 10 && family <= 12) return EncodeCsvKeyRecord(key, kCsvKeyCode, out);
    return false;
}

bool CScrollMsgTb::StoreReceived(ScrollForm form, const ScrollRecordSite& site, std::span<const std::uint8_t> data,
                                 bool skipOutside, bool keepExisting)
{
    return StoreReceivedNumber(
        *this, ReadScrollNumber(form, site, data),
        [&](CDBRecord& record) -> std::uint16_t {
            ReadScrollRecord(form, site, data, dynamic_cast<CScrollMsgRec&>(record));
            return CScrollMsgRec::kSize;
        },
        keepExisting, skipOutside);
}

bool CScrollMsgTb::DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    return StoreReceived(family == 11 ? ScrollForm::CsvB : ScrollForm::CsvA, SiteOf(GetRoles(), family), data, true, false);
}

bool CScrollMsgTb::DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return StoreReceived(ScrollForm::Binary, SiteOf(GetRoles(), GetRoles().FamilyOf(scale)), data, false, false);
}

bool CScrollMsgTb::DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return StoreReceived(ScrollForm::Text, SiteOf(GetRoles(), GetRoles().FamilyOf(scale)), data, false, false);
}

bool CScrollMsgTb::DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data)
{
    return family == 8 && StoreReceived(ScrollForm::Binary, SiteOf(GetRoles(), family), data, false, false);
}

std::size_t CScrollMsgTb::EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer)
{
    const CScrollMsgRec* row = AsRow(record);
    if (!row) return 0;
    RecordFields f(buffer);
    WriteScrollRecord(ScrollForm::DataSave, SiteOf(GetRoles(), 8), record.GetKey(), *row, f);
    return f.Ok() ? f.Position() : 0;
}

bool CScrollMsgTb::DecodeItemRecord(std::span<const std::uint8_t> record)
{
    if (record.size() < kShortestDataSaveRecord) return false;
    const bool overwrite = GetRoles().Setup().m_overwriteExisting != 0;
    return StoreReceived(ScrollForm::DataSave, SiteOf(GetRoles(), 8), record, false, !overwrite);
}

}  // namespace varnel
