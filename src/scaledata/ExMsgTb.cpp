#include "scaledata/ExMsgTb.h"

#include "db/store/MdbTableDef.h"
#include "db/store/ObjDatabase.h"
#include "db/site/TextRules.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/MessageRules.h"
#include "scaledata/ReceivedRows.h"

namespace varnel {
namespace {

constexpr std::uint16_t kNarrowCouponWidth = 20;
constexpr std::uint32_t kLowestKeyFamilies2And3 = 7;

const CExMsgRec* AsMessage(const CDBRecord& record) { return dynamic_cast<const CExMsgRec*>(&record); }

}  // namespace

CExMsgTb::CExMsgTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles,
                   std::uint32_t kind)
    : CScaleDataTb(tableNo, database, std::move(name), roles), m_kind(kind)
{
}

CExMsgRec* CExMsgTb::FindMessage(std::uint32_t number) const { return dynamic_cast<CExMsgRec*>(FindRecord(number)); }

std::unique_ptr<CDBRecord> CExMsgTb::CreateRecord(std::size_t size)
{
    if (size > CExMsgRec::kMaxSize) return nullptr;
    return std::make_unique<CExMsgRec>(size);
}

void CExMsgTb::BindColumns() { AddColumns(*this, exmsg_columns::kColumns); }

void CExMsgTb::CreateTableDef(MdbTableDef& definition) const
{
    CObjDBTable::CreateTableDef(definition);
    // The list name is declared as wide as the scales' name field; the row holds 32 bytes of it.
    DeclareTextWidth(*this, definition, "Name", exmsg_columns::kDeclaredNameWidth);
}

std::uint32_t CExMsgTb::GetMinKey() const
{
    if (m_kind == MsgCoupon) return 1;
    const std::uint16_t family = GetRoles().Setup().m_defaultScaleFamily;
    return family == 2 || family == 3 ? kLowestKeyFamilies2And3 : 1;
}

std::uint32_t CExMsgTb::GetMaxKey() const
{
    return GetMaxMessageNo(MessageSiteOf(GetRoles(), GetRoles().Setup().m_defaultScaleFamily), m_kind);
}

bool CExMsgTb::IsHeldBack(std::uint32_t number) const
{
    const CGeneralSetup& setup = GetRoles().Setup();
    if (m_kind != MsgCoupon || setup.m_pluActiveInactive == 0 || !IsAusNzNutrition(setup)) return false;
    return IsInactivePlu(*this, number);
}

bool CExMsgTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                            ScaleRecordOut& out)
{
    const CExMsgRec* row = AsMessage(record);
    if (!row || IsHeldBack(record.GetKey())) {
        out.length = 0;
        return false;
    }
    return EncodeMessageRecord(MessageSiteOf(GetRoles(), GetRoles().FamilyOf(scale)), scale,
                               {m_kind, record.GetKey(), row->GetText()}, out);
}

bool CExMsgTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                               ScaleRecordOut& out)
{
    return EncodeMessageKeyRecord(MessageSiteOf(GetRoles(), GetRoles().FamilyOf(scale)), m_kind, key, out);
}

std::uint16_t CExMsgTb::ReceivedLabelWidth(bool narrowCoupons) const
{
    const CGeneralSetup& setup = GetRoles().Setup();
    const bool wideMarket = setup.m_market == MarketHongKong || setup.m_market == MarketTaiwan;
    if (m_kind == MsgCoupon && narrowCoupons && !wideMarket) return kNarrowCouponWidth;
    return setup.GetLabelWidth(1);
}

bool CExMsgTb::StoreReceived(const std::optional<ReceivedMessage>& received, std::uint16_t labelWidth,
                             bool keepExisting)
{
    return StoreReceivedMessage(
        *this, received,
        [&](CDBRecord& record, const std::string& text) -> std::uint16_t {
            auto& row = dynamic_cast<CExMsgRec&>(record);
            row.SetText(text);
            row.SetLabelWidth(labelWidth);
            row.MakeNameFromText(GetRoles().Text().chars);
            return row.CalcReceivedSize();
        },
        keepExisting);
}

bool CExMsgTb::DecodeReceived(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data,
                              std::uint16_t labelWidth)
{
    const MessageSite site = MessageSiteOf(GetRoles(), GetRoles().FamilyOf(scale));
    return StoreReceived(DecodeMessageRecord(site, scale, m_kind, data, CExMsgRec::kTextMax), labelWidth, false);
}

bool CExMsgTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data, GetRoles().Setup().GetLabelWidth(1));
}

bool CExMsgTb::DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data, ReceivedLabelWidth(true));
}

bool CExMsgTb::DecodeRecordType2(const CLinkScaleSettings&, std::span<const std::uint8_t>) { return false; }

bool CExMsgTb::DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data, ReceivedLabelWidth(!IsAusNzNutrition(GetRoles().Setup())));
}

bool CExMsgTb::DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data)
{
    const auto received = DecodeMessageFileRecord(MessageSiteOf(GetRoles(), family), m_kind, data, CExMsgRec::kTextMax);
    return StoreReceived(received, ReceivedLabelWidth(true), false);
}

bool CExMsgTb::EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                                 std::uint16_t& length)
{
    length = 0;
    const CExMsgRec* row = FindMessage(key);
    return row && EncodeMessageFileRecord(MessageSiteOf(GetRoles(), family), {m_kind, key, row->GetText()}, buffer, length);
}

std::size_t CExMsgTb::EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer)
{
    const CExMsgRec* row = AsMessage(record);
    return row ? EncodeMessageDataSaveRecord(DataSaveSite(), record.GetKey(), row->GetText(), buffer) : 0;
}

bool CExMsgTb::DecodeItemRecord(std::span<const std::uint8_t> record)
{
    const MessageSite site = DataSaveSite();
    const auto received = DecodeMessageDataSaveRecord(site, record, CExMsgRec::kTextMax);
    const bool overwrite = site.setup.m_overwriteExisting != 0;
    return StoreReceived(received, ReceivedLabelWidth(true), !overwrite);
}

MessageSite CExMsgTb::DataSaveSite() const { return MessageSiteOf(GetRoles(), GetRoles().Setup().m_defaultScaleFamily); }

std::optional<std::string_view> CExMsgTb::GetDescText(const CDBRecord& record) const
{
    const CExMsgRec* row = AsMessage(record);
    return row ? std::optional(row->GetText()) : std::nullopt;
}

}  // namespace varnel
