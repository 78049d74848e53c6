#include "scaledata/PopMsgTb.h"

#include "db/records/ScaleRecordOut.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/MessageRules.h"
#include "scaledata/PopMsgText.h"
#include "scaledata/ReceivedRows.h"

namespace varnel {
namespace {

constexpr auto kLabelWidth = AsShort(FindColumn(popmsg_columns::kColumns, "LabelWidth"));
constexpr auto kText = AsText(FindColumn(popmsg_columns::kColumns, "MsgData"));

constexpr std::uint32_t kLowestPopWithFamily0 = 7;
constexpr std::uint32_t kHighest = 999;
constexpr std::uint32_t kHighestPopMarket10 = 99;
constexpr std::size_t kFamily0TextMax = 16;
constexpr std::uint16_t kCodeText = 61;
constexpr std::uint16_t kCodeTextKey = 21;
constexpr std::uint16_t kCodeBinary = 49;
constexpr std::uint16_t kCodeBinaryKey = 18;
constexpr std::uint16_t kCodeCsv = 1011;  // + kind
constexpr std::uint16_t kCodeCsvKey = 11;  // + kind

}  // namespace

std::uint16_t CPopMsgRec::GetLabelWidth() const { return Get(kLabelWidth); }
void CPopMsgRec::SetLabelWidth(std::uint16_t width) { Set(kLabelWidth, width); }
std::string_view CPopMsgRec::GetText() const { return Get(kText); }
void CPopMsgRec::SetText(std::string_view text) { Set(kText, text.substr(0, std::min(text.size(), kTextMax))); }

CPopMsgTb::CPopMsgTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles, std::uint32_t kind)
    : CScaleDataRowTb(tableNo, database, std::move(name), roles), m_kind(kind)
{
}

CPopMsgRec* CPopMsgTb::FindMessage(std::uint32_t number) const { return FindRow(number); }

std::size_t CPopMsgTb::GetPopMsgTextLimit(std::uint16_t family) { return family == 6 ? 14 : 80; }

std::uint32_t CPopMsgTb::GetMinKey() const
{
    return m_kind == kPop && GetRoles().rules.HasEnabledScaleType(0) ? kLowestPopWithFamily0 : 1;
}

std::uint32_t CPopMsgTb::GetMaxKey() const
{
    const bool narrowFamily = GetRoles().rules.HasEnabledScaleType(6) || GetRoles().rules.HasEnabledScaleType(10) || GetRoles().rules.HasEnabledScaleType(12);
    if (m_kind == kPop && GetRoles().Setup().m_market == MarketTaiwan && narrowFamily) return kHighestPopMarket10;
    return kHighest;
}

bool CPopMsgTb::TakesKind(std::uint16_t family) const
{
    const bool market10 = GetRoles().Setup().m_market == MarketTaiwan;
    switch (family) {
    case 0:
    case 10:
    case 12: return market10;
    case 6:
    case 11: return m_kind == kPop;
    case 9: return true;
    default: return false;
    }
}

bool CPopMsgTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                             ScaleRecordOut& out)
{
    out.length = 0;
    const CPopMsgRec* row = AsRow(record);
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    if (!row || !TakesKind(family)) return false;
    const std::uint32_t number = record.GetKey();
    const std::uint16_t market = GetRoles().Setup().m_market;
    if (family == 0) {
        const MessageRecordSite site{family, market, 1, 2, true, GetRoles().Text()};
        return EncodeFormRecord(scale, MessageForm::Text, site, HeaderKind::None, kCodeText, number,
                                StripStyleCodes(row->GetText()), kFamily0TextMax, out);
    }
    if (family == 6) {
        return EncodeFormRecord(scale, MessageForm::PopBinary, PlainRecordSite(GetRoles(), family), HeaderKind::Short,
                                kCodeBinary, number, StripStyleCodes(row->GetText()), GetPopMsgTextLimit(family) + 1,
                                out);
    }
    std::string text;
    if (family == 10 || family == 12) {
        text = StripStyleCodes(row->GetText());
    } else {
        const std::uint16_t defaultFamily = GetRoles().Setup().m_defaultScaleFamily;
        text = defaultFamily == 9 || defaultFamily == 11 ? std::string(row->GetText()) : WrapStyleTwo(row->GetText());
    }
    const auto code = static_cast<std::uint16_t>(family == 11 ? kCodeCsv : kCodeCsv + m_kind);
    return EncodeFormRecord(scale, MessageForm::Csv, PlainRecordSite(GetRoles(), family), HeaderKind::Long, code,
                            number, text, GetPopMsgTextLimit(family), out);
}

bool CPopMsgTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                ScaleRecordOut& out)
{
    out.refusedField = {};
    ClearScaleRecordOut(out);
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    if ((family != 0 && family != 6 && family != 9 && family != 11) || !TakesKind(family)) return false;
    RecordFields fields(out.buffer);
    std::uint16_t code = 0;
    switch (family) {
    case 0:
        code = kCodeTextKey;
        fields.Text("2102");
        fields.Decimal("message number", key, 2);
        break;
    case 6:
        code = kCodeBinaryKey;
        fields.Bcd("message number", key, 2);
        break;
    default: return EncodeCsvKeyRecord(key, static_cast<std::uint16_t>(kCodeCsvKey + m_kind), out);
    }
    return FinishScaleRecord(fields, code, out);
}

bool CPopMsgTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const MessageRecordSite site = PlainRecordSite(GetRoles(), GetRoles().FamilyOf(scale));
    const auto received = DecodeFormRecord(scale, MessageForm::Csv, site, data, CPopMsgRec::kTextMax);
    return StoreReceivedMessage(*this, received, [&](CDBRecord& record, const std::string& text) -> std::uint16_t {
        auto& row = dynamic_cast<CPopMsgRec&>(record);
        row.SetText(text);
        row.SetLabelWidth(GetRoles().Setup().GetLabelWidth(1));
        return CPopMsgRec::kSize;
    });
}

bool CPopMsgTb::DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const MessageRecordSite site = PlainRecordSite(GetRoles(), GetRoles().FamilyOf(scale));
    const auto received = DecodeFormRecord(scale, MessageForm::PopBinary, site, data, CPopMsgRec::kTextMax);
    if (!received || received->number == 0 || received->number > GetMaxKey()) return false;
    return StoreReceivedRow(*this, received->number, [&](CDBRecord& record) -> std::uint16_t {
        dynamic_cast<CPopMsgRec&>(record).SetText(received->text);
        return CPopMsgRec::kSize;
    });
}

std::optional<std::string_view> CPopMsgTb::GetDescText(const CDBRecord& record) const
{
    const CPopMsgRec* row = AsRow(record);
    return row ? std::optional(row->GetText()) : std::nullopt;
}

}  // namespace varnel
