#include "scaledata/FreeMsgNameTb.h"

#include "db/text/EscapeCodes.h"
#include "scaledata/MessageEncoding.h"
#include "scaledata/ReceivedRows.h"

namespace varnel {
namespace {

constexpr auto kArea = AsText(FindColumn(freemsgname_columns::kColumns, "MsgData"));
constexpr std::uint16_t kCode = 1009;
constexpr std::uint16_t kKeyCode = 9;
constexpr std::size_t kOpeningCode = 3;

bool ShowsNames(std::uint16_t family) { return family == 9 || family == 11; }
const CFreeMsgNameRec* AsName(const CDBRecord& record) { return dynamic_cast<const CFreeMsgNameRec*>(&record); }

}  // namespace

std::string_view CFreeMsgNameRec::GetArea() const { return Get(kArea); }
void CFreeMsgNameRec::SetArea(std::string_view area) { Set(kArea, area.substr(0, std::min(area.size(), kAreaMax))); }

CFreeMsgNameTb::CFreeMsgNameTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles)
    : CDBComTb(tableNo, database, std::move(name)), m_roles(roles)
{
}

std::size_t CFreeMsgNameTb::GetFreeMsgNameLength(std::uint16_t family) { return family == 11 ? 15 : 16; }

std::string_view CFreeMsgNameTb::GetFreeMsgName(const CFreeMsgNameRec& row)
{
    const std::string_view area = row.GetArea();
    return area.size() >= kOpeningCode && area[0] == kEsc ? area.substr(kOpeningCode) : area;
}

CFreeMsgNameRec* CFreeMsgNameTb::FindName(std::uint32_t set) const
{
    return dynamic_cast<CFreeMsgNameRec*>(FindRecord(set));
}

std::unique_ptr<CDBRecord> CFreeMsgNameTb::CreateRecord(std::size_t size)
{
    if (size > CFreeMsgNameRec::kSize) return nullptr;
    return std::make_unique<CFreeMsgNameRec>();
}

void CFreeMsgNameTb::BindColumns() { AddColumns(*this, freemsgname_columns::kColumns); }

bool CFreeMsgNameTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                                  ScaleRecordOut& out)
{
    out.length = 0;
    const CFreeMsgNameRec* row = AsName(record);
    const std::uint16_t family = scale.GetScaleType();
    if (!row || !ShowsNames(family)) return false;
    const MessageRecordSite site{family, m_roles.Setup().m_market, 0, 0, false, m_roles.Text()};
    return EncodeFormRecord(scale, MessageForm::Csv, site, HeaderKind::Long, kCode, record.GetKey(), row->GetArea(),
                            CFreeMsgNameRec::kAreaMax, out);
}

bool CFreeMsgNameTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                     ScaleRecordOut& out)
{
    out.length = 0;
    return ShowsNames(scale.GetScaleType()) && EncodeCsvKeyRecord(key, kKeyCode, out);
}

bool CFreeMsgNameTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const MessageRecordSite site{scale.GetScaleType(), m_roles.Setup().m_market, 0, 0, false, m_roles.Text()};
    const auto received = DecodeFormRecord(scale, MessageForm::Csv, site, data, CFreeMsgNameRec::kAreaMax);
    if (!received) return false;
    if (received->number < GetMinKey() || received->number > GetMaxKey()) return true;
    return StoreReceivedRow(*this, received->number, [&](CDBRecord& record) -> std::uint16_t {
        dynamic_cast<CFreeMsgNameRec&>(record).SetArea(received->text);
        return CFreeMsgNameRec::kSize;
    });
}

bool CFreeMsgNameTb::DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeRecordType9(scale, data);
}

std::optional<std::string_view> CFreeMsgNameTb::GetDescText(const CDBRecord& record) const
{
    const CFreeMsgNameRec* row = AsName(record);
    return row ? std::optional(row->GetArea()) : std::nullopt;
}

}  // namespace varnel
