#include "scaledata/RuxDeptTb.h"

#include "scaledata/MessageEncoding.h"

namespace varnel {
namespace {

constexpr auto kName = AsText(FindColumn(ruxdept_columns::kColumns, "MsgData"));
constexpr std::size_t kScaleNameMax = 28;
constexpr std::uint16_t kCode = 1015;    // + kind
constexpr std::uint16_t kKeyCode = 15;   // + kind
constexpr std::size_t kOpeningCode = 3;

bool IsCsvFamily(std::uint16_t family) { return family >= 9 && family <= 12; }

}  // namespace

std::string_view CRuxDeptRec::GetName() const { return Get(kName); }
void CRuxDeptRec::SetName(std::string_view name) { Set(kName, name.substr(0, std::min(name.size(), kNameMax))); }
std::uint16_t CRuxDeptRec::CalcDataSize() const { return RoundUpTo4(1 + GetName().size()); }

CRuxDeptTb::CRuxDeptTb(std::uint16_t tableNo, CObjDatabase* database, std::string name, const ScaleDataRoles& roles, std::uint32_t kind)
    : CScaleDataRowTb(tableNo, database, std::move(name), roles), m_kind(kind)
{
}

CRuxDeptRec* CRuxDeptTb::FindName(std::uint32_t number) const { return FindRow(number); }

bool CRuxDeptTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                              ScaleRecordOut& out)
{
    out.length = 0;
    const CRuxDeptRec* row = AsRow(record);
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    if (!row || !IsCsvFamily(family)) return false;
    return EncodeFormRecord(scale, MessageForm::Csv, PlainRecordSite(GetRoles(), family), HeaderKind::Long,
                            static_cast<std::uint16_t>(kCode + m_kind), record.GetKey(), row->GetName(), kScaleNameMax,
                            out);
}

bool CRuxDeptTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                 ScaleRecordOut& out)
{
    out.length = 0;
    if (!IsCsvFamily(GetRoles().FamilyOf(scale))) return false;
    return EncodeCsvKeyRecord(key, static_cast<std::uint16_t>(kKeyCode + m_kind), out);
}

bool CRuxDeptTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const MessageRecordSite site = PlainRecordSite(GetRoles(), GetRoles().FamilyOf(scale));
    const auto received = DecodeFormRecord(scale, MessageForm::Csv, site, data, CRuxDeptRec::kNameMax);
    return StoreReceivedMessage(*this, received, [](CDBRecord& record, const std::string& text) -> std::uint16_t {
        dynamic_cast<CRuxDeptRec&>(record).SetName(text);
        return CRuxDeptRec::kSize;
    });
}

std::optional<std::string_view> CRuxDeptTb::GetDescText(const CDBRecord& record) const
{
    const CRuxDeptRec* row = AsRow(record);
    return row ? std::optional(row->GetName()) : std::nullopt;
}

std::size_t CRuxDeptTb::GetDescLine(const CDBRecord& record, std::size_t, std::size_t maxLength,
                                    DescLine& line, const CharRule&) const
{
    line = DescLine{};
    const CRuxDeptRec* row = AsRow(record);
    const std::string_view name = row ? row->GetName() : std::string_view{};
    if (name.size() < kOpeningCode || maxLength == 0) return 0;
    line.font = name[2];
    line.text = name.substr(kOpeningCode, std::min(name.size() - kOpeningCode, maxLength));
    return 0;
}

}  // namespace varnel
