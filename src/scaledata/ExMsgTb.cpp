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
    : CDBComTb(tableNo, database, std::move(name)), m_roles(roles), m_kind(kind)
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
    const std::uint16_t family = m_roles.Setup().m_defaultScaleFamily;
    return family == 2 || family == 3 ? kLowestKeyFamilies2And3 : 1;
}

std::uint32_t CExMsgTb::GetMaxKey() const
{
    return GetMaxMessageNo(MessageSiteOf(m_roles, m_roles.Setup().m_defaultScaleFamily), m_kind);
}

bool CExMsgTb::IsHeldBack(std::uint32_t number) const
{
    const CGeneralSetup& setup = m_roles.Setup();
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
    return EncodeMessageRecord(MessageSiteOf(m_roles, scale.GetScaleType()), scale, {m_kind, record.GetKey(), row->GetText()}, out);
}

bool CExMsgTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                               ScaleRecordOut& out)
{
    return EncodeMessageKeyRecord(MessageSiteOf(m_roles, scale.GetScaleType()), m_kind, key, out);
}

std::uint16_t CExMsgTb::ReceivedLabelWidth(bool narrowCoupons) const
{
    const CGeneralSetup& setup = m_roles.Setup();
    const bool wideMarket = setup.m_market == MarketHongKong || setup.m_market == MarketTaiwan;
    if (m_kind == MsgCoupon && narrowCoupons && !wideMarket) return kNarrowCouponWidth;
    return setup.GetLabelWidth(1);
}

bool CExMsgTb::StoreReceived(std::uint32_t number, const std::string& text, std::uint16_t labelWidth,
                             bool keepExisting)
{
    if (number < GetMinKey() || number > GetMaxKey()) return true;
    return StoreReceivedRow(
        *this, number,
        [&](CDBRecord& record) -> std::uint16_t {
            auto& row = dynamic_cast<CExMsgRec&>(record);
            row.SetText(text);
            row.SetLabelWidth(labelWidth);
            row.MakeNameFromText(m_roles.Text().chars);
            return row.CalcReceivedSize();
        },
        keepExisting);
}

bool CExMsgTb::DecodeReceived(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data,
                              std::uint16_t labelWidth)
{
    const auto received =
        DecodeMessageRecord(MessageSiteOf(m_roles, scale.GetScaleType()), scale, m_kind, data, CExMsgRec::kTextMax);
    return received && StoreReceived(received->number, received->text, labelWidth, false);
}

bool CExMsgTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data, m_roles.Setup().GetLabelWidth(1));
}

bool CExMsgTb::DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeRecordType9(scale, data);
}

bool CExMsgTb::DecodeRecordType6or8(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data, ReceivedLabelWidth(true));
}

bool CExMsgTb::DecodeRecordType2(const CLinkScaleSettings&, std::span<const std::uint8_t>) { return false; }

bool CExMsgTb::DecodeRecordOther(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data, ReceivedLabelWidth(!IsAusNzNutrition(m_roles.Setup())));
}

bool CExMsgTb::DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data)
{
    const auto received = DecodeMessageFileRecord(MessageSiteOf(m_roles, family), m_kind, data, CExMsgRec::kTextMax);
    return received && StoreReceived(received->number, received->text, ReceivedLabelWidth(true), false);
}

bool CExMsgTb::EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                                 std::uint16_t& length)
{
    length = 0;
    const CExMsgRec* row = FindMessage(key);
    return row && EncodeMessageFileRecord(MessageSiteOf(m_roles, family), {m_kind, key, row->GetText()}, buffer, length);
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
    return received && StoreReceived(received->number, received->text, ReceivedLabelWidth(true), !overwrite);
}

MessageSite CExMsgTb::DataSaveSite() const { return MessageSiteOf(m_roles, m_roles.Setup().m_defaultScaleFamily); }

std::optional<std::string_view> CExMsgTb::GetDescText(const CDBRecord& record) const
{
    const CExMsgRec* row = AsMessage(record);
    return row ? std::optional(row->GetText()) : std::nullopt;
}

}  // namespace varnel
