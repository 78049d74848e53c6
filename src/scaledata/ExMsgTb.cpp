#include "scaledata/ExMsgTb.h"

#include "db/site/MainFrame.h"
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

CExMsgTb::CExMsgTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, std::uint32_t kind)
    : CDBComTb(tableNo, database, std::move(name)), m_kind(kind)
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
    const std::uint16_t family = CurrentGeneralSetup().m_defaultScaleFamily;
    return family == 2 || family == 3 ? kLowestKeyFamilies2And3 : 1;
}

std::uint32_t CExMsgTb::GetMaxKey() const
{
    return GetMaxMessageNo(CurrentMessageSite(CurrentGeneralSetup().m_defaultScaleFamily), m_kind);
}

bool CExMsgTb::IsHeldBack(std::uint32_t number) const
{
    const CGeneralSetup& setup = CurrentGeneralSetup();
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
    return EncodeMessageRecord(scale, {m_kind, record.GetKey(), row->GetText()}, out);
}

bool CExMsgTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                               ScaleRecordOut& out)
{
    return EncodeMessageKeyRecord(scale, m_kind, key, out);
}

std::uint16_t CExMsgTb::ReceivedLabelWidth(bool narrowCoupons) const
{
    const CGeneralSetup& setup = CurrentGeneralSetup();
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
            row.MakeNameFromText();
            return row.CalcReceivedSize();
        },
        keepExisting);
}

bool CExMsgTb::DecodeReceived(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data,
                              std::uint16_t labelWidth)
{
    const auto received = DecodeMessageRecord(scale, m_kind, data, CExMsgRec::kTextMax);
    return received && StoreReceived(received->number, received->text, labelWidth, false);
}

bool CExMsgTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeReceived(scale, data, CurrentGeneralSetup().GetLabelWidth(1));
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
    return DecodeReceived(scale, data, ReceivedLabelWidth(!IsAusNzNutrition(CurrentGeneralSetup())));
}

bool CExMsgTb::DecodeLumenRecord(std::uint16_t family, std::span<const std::uint8_t> data)
{
    const auto received = DecodeMessageFileRecord(family, m_kind, data, CExMsgRec::kTextMax);
    return received && StoreReceived(received->number, received->text, ReceivedLabelWidth(true), false);
}

bool CExMsgTb::EncodeLumenRecord(std::uint16_t family, std::uint32_t key, std::span<std::uint8_t> buffer,
                                 std::uint16_t& length)
{
    length = 0;
    const CExMsgRec* row = FindMessage(key);
    return row && EncodeMessageFileRecord(family, {m_kind, key, row->GetText()}, buffer, length);
}

std::size_t CExMsgTb::EncodeItemRecord(const CDBRecord& record, std::span<std::uint8_t> buffer)
{
    const CExMsgRec* row = AsMessage(record);
    return row ? EncodeMessageDataSaveRecord(record.GetKey(), row->GetText(), buffer) : 0;
}

bool CExMsgTb::DecodeItemRecord(std::span<const std::uint8_t> record)
{
    const auto received = DecodeMessageDataSaveRecord(record, CExMsgRec::kTextMax);
    const bool overwrite = CurrentGeneralSetup().m_overwriteExisting != 0;
    return received && StoreReceived(received->number, received->text, ReceivedLabelWidth(true), !overwrite);
}

std::optional<std::string_view> CExMsgTb::GetDescText(const CDBRecord& record) const
{
    const CExMsgRec* row = AsMessage(record);
    return row ? std::optional(row->GetText()) : std::nullopt;
}

}  // namespace varnel
