#include "scaledata/ShortMsgTb.h"

#include "db/text/DescText.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/MessageRules.h"
#include "scaledata/ReceivedRows.h"

namespace varnel {
namespace {

constexpr auto kLabelWidth = AsShort(FindColumn(shortmsg_columns::kColumns, "LabelWidth"));
constexpr auto kName = AsText(FindColumn(shortmsg_columns::kColumns, "Name"));
constexpr auto kText = AsText(FindColumn(shortmsg_columns::kColumns, "MsgData"));
constexpr std::uint16_t kNewLabelWidth = 60;

const CShortMsgRec* AsShort(const CDBRecord& record) { return dynamic_cast<const CShortMsgRec*>(&record); }

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
    : CDBComTb(tableNo, database, std::move(name)), m_roles(roles), m_kind(kind)
{
}

CShortMsgRec* CShortMsgTb::FindMessage(std::uint32_t number) const
{
    return dynamic_cast<CShortMsgRec*>(FindRecord(number));
}

std::unique_ptr<CDBRecord> CShortMsgTb::CreateRecord(std::size_t size)
{
    if (size > CShortMsgRec::kSize) return nullptr;
    return std::make_unique<CShortMsgRec>();
}

void CShortMsgTb::BindColumns() { AddColumns(*this, shortmsg_columns::kColumns); }

bool CShortMsgTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                               ScaleRecordOut& out)
{
    const CShortMsgRec* row = AsShort(record);
    if (!row) {
        out.length = 0;
        return false;
    }
    return EncodeMessageRecord(MessageSiteOf(m_roles, scale.GetScaleType()), scale, {m_kind, record.GetKey(), row->GetText()}, out);
}

bool CShortMsgTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                  ScaleRecordOut& out)
{
    return EncodeMessageKeyRecord(MessageSiteOf(m_roles, scale.GetScaleType()), m_kind, key, out);
}

bool CShortMsgTb::DecodeReceived(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const MessageSite site = MessageSiteOf(m_roles, scale.GetScaleType());
    const auto received = DecodeMessageRecord(site, scale, m_kind, data, CShortMsgRec::kTextMax);
    if (!received) return false;
    if (received->number < GetMinKey() || received->number > GetMaxKey()) return true;
    return StoreReceivedRow(*this, received->number, [&](CDBRecord& record) -> std::uint16_t {
        auto& row = dynamic_cast<CShortMsgRec&>(record);
        row.SetText(received->text);
        row.SetLabelWidth(site.setup.GetLabelWidth(1));
        row.MakeNameFromText(site.text.chars);
        return CShortMsgRec::kSize;
    });
}

bool CShortMsgTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data);
}
bool CShortMsgTb::DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
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
    const CShortMsgRec* row = AsShort(record);
    return row ? std::optional(row->GetText()) : std::nullopt;
}

}  // namespace varnel
