#include "scaledata/RuxDeptTb.h"

#include "scaledata/MessageEncoding.h"
#include "scaledata/ReceivedRows.h"

namespace varnel {
namespace {

constexpr auto kName = AsText(FindColumn(ruxdept_columns::kColumns, "MsgData"));
constexpr std::size_t kScaleNameMax = 28;
constexpr std::uint16_t kCode = 1015;    // + kind
constexpr std::uint16_t kKeyCode = 15;   // + kind
constexpr std::size_t kOpeningCode = 3;

bool IsCsvFamily(std::uint16_t family) { return family >= 9 && family <= 12; }
const CRuxDeptRec* AsName(const CDBRecord& record) { return dynamic_cast<const CRuxDeptRec*>(&record); }

}  // namespace

std::string_view CRuxDeptRec::GetName() const { return Get(kName); }
void CRuxDeptRec::SetName(std::string_view name) { Set(kName, name.substr(0, std::min(name.size(), kNameMax))); }
std::uint16_t CRuxDeptRec::CalcDataSize() const { return RoundUpTo4(1 + GetName().size()); }

CRuxDeptTb::CRuxDeptTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles, std::uint32_t kind)
    : CDBComTb(tableNo, database, std::move(name)), m_roles(roles), m_kind(kind)
{
}

CRuxDeptRec* CRuxDeptTb::FindName(std::uint32_t number) const { return dynamic_cast<CRuxDeptRec*>(FindRecord(number)); }

std::unique_ptr<CDBRecord> CRuxDeptTb::CreateRecord(std::size_t size)
{
    if (size > CRuxDeptRec::kSize) return nullptr;
    return std::make_unique<CRuxDeptRec>();
}

void CRuxDeptTb::BindColumns() { AddColumns(*this, ruxdept_columns::kColumns); }

bool CRuxDeptTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                              ScaleRecordOut& out)
{
    out.length = 0;
    const CRuxDeptRec* row = AsName(record);
    const std::uint16_t family = scale.GetScaleType();
    if (!row || !IsCsvFamily(family)) return false;
    const MessageRecordSite site{family, m_roles.Setup().m_market, 0, 0, false, m_roles.Text()};
    return EncodeFormRecord(scale, MessageForm::Csv, site, HeaderKind::Long, static_cast<std::uint16_t>(kCode + m_kind),
                            record.GetKey(), row->GetName(), kScaleNameMax, out);
}

bool CRuxDeptTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                 ScaleRecordOut& out)
{
    out.length = 0;
    if (!IsCsvFamily(scale.GetScaleType())) return false;
    return EncodeCsvKeyRecord(key, static_cast<std::uint16_t>(kKeyCode + m_kind), out);
}

bool CRuxDeptTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const MessageRecordSite site{scale.GetScaleType(), m_roles.Setup().m_market, 0, 0, false, m_roles.Text()};
    const auto received = DecodeFormRecord(scale, MessageForm::Csv, site, data, CRuxDeptRec::kNameMax);
    if (!received) return false;
    if (received->number < GetMinKey() || received->number > GetMaxKey()) return true;
    return StoreReceivedRow(*this, received->number, [&](CDBRecord& record) -> std::uint16_t {
        dynamic_cast<CRuxDeptRec&>(record).SetName(received->text);
        return CRuxDeptRec::kSize;
    });
}

bool CRuxDeptTb::DecodeRecordType10to12(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    return DecodeRecordType9(scale, data);
}

std::optional<std::string_view> CRuxDeptTb::GetDescText(const CDBRecord& record) const
{
    const CRuxDeptRec* row = AsName(record);
    return row ? std::optional(row->GetName()) : std::nullopt;
}

std::size_t CRuxDeptTb::GetDescLine(const CDBRecord& record, std::size_t, std::size_t maxLength,
                                    DescLine& line, const CharRule&) const
{
    line = DescLine{};
    const CRuxDeptRec* row = AsName(record);
    const std::string_view name = row ? row->GetName() : std::string_view{};
    if (name.size() < kOpeningCode || maxLength == 0) return 0;
    line.font = name[2];
    line.text = name.substr(kOpeningCode, std::min(name.size() - kOpeningCode, maxLength));
    return 0;
}

}  // namespace varnel
