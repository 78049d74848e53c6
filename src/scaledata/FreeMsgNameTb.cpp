#include "scaledata/FreeMsgNameTb.h"

#include "db/text/EscapeCodes.h"
#include "scaledata/MessageEncoding.h"

namespace varnel {
namespace {

constexpr auto kArea = AsText(FindColumn(freemsgname_columns::kColumns, "MsgData"));
constexpr std::uint16_t kCode = 1009;
constexpr std::uint16_t kKeyCode = 9;
constexpr std::size_t kOpeningCode = 3;

bool ShowsNames(std::uint16_t family) { return family == 9 || family == 11; }

}  // namespace

std::string_view CFreeMsgNameRec::GetArea() const { return Get(kArea); }
void CFreeMsgNameRec::SetArea(std::string_view area) { Set(kArea, area.substr(0, std::min(area.size(), kAreaMax))); }

std::size_t CFreeMsgNameTb::GetFreeMsgNameLength(std::uint16_t family) { return family == 11 ? 15 : 16; }

std::string_view CFreeMsgNameTb::GetFreeMsgName(const CFreeMsgNameRec& row)
{
    const std::string_view area = row.GetArea();
    return area.size() >= kOpeningCode && area[0] == kEsc ? area.substr(kOpeningCode) : area;
}

CFreeMsgNameRec* CFreeMsgNameTb::FindName(std::uint32_t set) const { return FindRow(set); }

bool CFreeMsgNameTb::EncodeRecord(const BuildLock&, const CLinkScaleSettings& scale, const CDBRecord& record,
                                  ScaleRecordOut& out)
{
    out.length = 0;
    const CFreeMsgNameRec* row = AsRow(record);
    const std::uint16_t family = GetRoles().FamilyOf(scale);
    if (!row || !ShowsNames(family)) return false;
    return EncodeFormRecord(scale, MessageForm::Csv, PlainRecordSite(GetRoles(), family), HeaderKind::Long, kCode,
                            record.GetKey(), row->GetArea(), CFreeMsgNameRec::kAreaMax, out);
}

bool CFreeMsgNameTb::EncodeKeyRecord(const BuildLock&, const CLinkScaleSettings& scale, std::uint32_t key,
                                     ScaleRecordOut& out)
{
    out.length = 0;
    return ShowsNames(GetRoles().FamilyOf(scale)) && EncodeCsvKeyRecord(key, kKeyCode, out);
}

bool CFreeMsgNameTb::DecodeRecordType9(const CLinkScaleSettings& scale, std::span<const std::uint8_t> data)
{
    const MessageRecordSite site = PlainRecordSite(GetRoles(), GetRoles().FamilyOf(scale));
    const auto received = DecodeFormRecord(scale, MessageForm::Csv, site, data, CFreeMsgNameRec::kAreaMax);
    return StoreReceivedMessage(*this, received, [](CDBRecord& record, const std::string& text) -> std::uint16_t {
        dynamic_cast<CFreeMsgNameRec&>(record).SetArea(text);
        return CFreeMsgNameRec::kSize;
    });
}

std::optional<std::string_view> CFreeMsgNameTb::GetDescText(const CDBRecord& record) const
{
    const CFreeMsgNameRec* row = AsRow(record);
    return row ? std::optional(row->GetArea()) : std::nullopt;
}

}  // namespace varnel
