#include "scaledata/EditFreeMsgNamesForm.h"

#include "db/text/EscapeCodes.h"

namespace varnel {
namespace {

const std::string kNameOpening = MakeEscCode('C', '0');

}  // namespace

CEditFreeMsgNamesForm::CEditFreeMsgNamesForm(CFreeMsgNameTb& table)
    : m_table(table), m_maxLength(CFreeMsgNameTb::GetFreeMsgNameLength(table.GetRoles().Setup().m_defaultScaleFamily))
{
    for (std::size_t set = 1; set <= kSets; ++set) {
        const CFreeMsgNameRec* row = table.FindName(static_cast<std::uint32_t>(set));
        if (row && row->GetArea().starts_with(std::string_view("\x1B" "C")))
            m_names[set - 1] = CFreeMsgNameTb::GetFreeMsgName(*row);
    }
}

void CEditFreeMsgNamesForm::SetName(std::size_t set, std::string_view name)
{
    m_names.at(set - 1) = name.substr(0, std::min(name.size(), m_maxLength));
}

bool CEditFreeMsgNamesForm::OnOK()
{
    bool stored = true;
    for (std::uint32_t set = 1; set <= kSets; ++set) {
        bool created = false;
        auto* row = dynamic_cast<CFreeMsgNameRec*>(m_table.GetOrAddRecordEx(set, CFreeMsgNameRec::kSize, created));
        if (!row) {
            stored = false;
            continue;
        }
        const std::string& name = m_names[set - 1];
        if (CFreeMsgNameTb::GetFreeMsgName(*row) != name) {
            row->SetArea(kNameOpening + name);
            if (!m_table.UpdateRecord(row, CFreeMsgNameRec::kSize)) {
                stored = false;
                continue;
            }
            m_table.LogRecordUpdated(set, kMsgUserEdit, {}, false);
        }
        (void)m_table.QueueKeySend(set, false);
    }
    return stored;
}

}  // namespace varnel
