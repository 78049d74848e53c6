#include "db/plu/DeptGroupName.h"

#include "db/plu/DBComTb.h"
#include "db/site/GeneralSetup.h"
#include "db/store/ObjDatabase.h"
#include "platform/TextFormat.h"

namespace varnel {
namespace {

constexpr std::size_t kLineCodeBytes = 3;  // ESC 'C' and the font code

std::optional<std::string_view> TextOfCode(const CObjDatabase& database, std::uint16_t tableNo, std::uint16_t code)
{
    const auto* table = dynamic_cast<const CDBComTb*>(database.GetTable(tableNo));
    const CDBRecord* record = table ? table->FindRecord(code) : nullptr;
    return record ? table->GetDescText(*record) : std::nullopt;
}

}  // namespace

std::string GetDeptGroupName(const CGeneralSetup& setup, const CObjDatabase& database, std::uint16_t tableNo,
                             std::uint16_t code)
{
    if (setup.m_deptGroupByText != 0) {
        const std::optional<std::string_view> text = TextOfCode(database, tableNo, code);
        if (text && text->size() >= kLineCodeBytes && (*text)[0] == '\x1B' && (*text)[1] == 'C')
            return std::string(text->substr(kLineCodeBytes));
    }
    return std::string(GetMessageText(CDBComTb::kCaptionBase + tableNo)) + FormatText(" %d", int{code});
}

}  // namespace varnel
