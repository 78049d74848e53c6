#include "scaledata/ShortMsgTb.h"

#include "db/text/DescText.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/MessageRules.h"

namespace varnel {
namespace {

constexpr auto kLabelWidth = AsShort(FindColumn(shortmsg_columns::kColumns, "LabelWidth"));
constexpr auto kName = AsText(FindColumn(shortmsg_columns::kColumns, "Name"));
constexpr auto kText = AsText(FindColumn(shortmsg_columns::kColumns, "MsgData"));
constexpr std::uint16_t kNewLabelWidth = 60;

}  // namespace

CShortMsgRec::CShortMsgRec() : CFixedScaleDataRow(kSize) { Set(kLabelWidth, kNewLabelWidth); }
std::uint16_t CShortMsgRec::GetLabelWidth() const { return Get(kLabelWidth); }
void CShortMsgRec::SetLabelWidth(std::uint16_t width) { Set(kLabelWidth, width); }
std::string_view CShortMsgRec::GetName() const { return Get(kName); }
void CShortMsgRec::SetName(std::string_view name) { Set(kName, name.substr(0, std::min(name.size(), kNameMax))); }
std::string_view CShortMsgRec::GetText() const { return Get(kText); }
void CShortMsgRec::SetText(std::string_view text) { Set(kText, text.substr(0, std::min(text.size(), kTextMax))); }
void CShortMsgRec::MakeNameFromText(const CharRule& chars) { SetName(NameFromDesc(GetText(), kNameMax, chars)); }
std::uint16_t CShortMsgRec::CalcDataSize() const { return RoundUpTo4(kText.offset + 1 + GetText().size()); }

CShortMsgTb::CShortMsgTb(std::uint16_t tableNo, CObjDatabase* database, std::string name,
                         const ScaleDataRoles& roles, std::uint32_t kind)
    : CScaleDataRowTb(tableNo, database, std::move(name), roles), m_kind(kind)
{
}

CShortMsgRec* CShortMsgTb::FindMessage(std::uint32_t number) const { return FindRow(number); }

bool CShortMsgTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                               ScaleRecordOut& out)
{
    const CShortMsgRec* row = AsRow(record);
    if (!row) {
        out.length = 0;
        return false;
    }
    return EncodeMessageRecord(MessageSiteOf(GetRoles(), GetRoles().FamilyOf(scale)), scale,
                               {m_kind, record.GetKey(), row->GetText()}, out);
}

bool CShortMsgTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                  ScaleRecordOut& out)
{
    return EncodeMessageKeyRecord(MessageSiteOf(GetRoles(), GetRoles().FamilyOf(scale)), m_kind, key, out);
}

bool CShortMsgTb::DecodeReceived(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const MessageSite site = MessageSiteOf(GetRoles(), GetRoles().FamilyOf(scale));
    const auto received = DecodeMessageRecord(site, scale, m_kind, data, CShortMsgRec::kTextMax);
    return StoreReceivedMessage(*this, received, [&](CDBRecord& record, const std::string& text) -> std::uint16_t {
        auto& row = dynamic_cast<CShortMsgRec&>(record);
        row.SetText(text);
        row.SetLabelWidth(site.setup.GetLabelWidth(1));
        row.MakeNameFromText(site.text.chars);
        return CShortMsgRec::kSize;
    });
}

bool CShortMsgTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data);
}
bool CShortMsgTb::DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data);
}
bool CShortMsgTb::DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data);
}

std::optional<std::string_view> CShortMsgTb::GetDescText(const CDBRecord& record) const
{
    const CShortMsgRec* row = AsRow(record);
    return row ? std::optional(row->GetText()) : std::nullopt;
}

}  // namespace varnel
