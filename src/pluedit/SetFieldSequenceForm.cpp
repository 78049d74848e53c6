// The field sequence.
#include "pluedit/SetFieldSequenceForm.h"

#include "db/plu/PluFieldAccess.h"

#include <utility>

namespace varnel {

SetFieldSequenceForm::SetFieldSequenceForm(std::vector<std::uint16_t> fields) : m_fields(std::move(fields))
{
    if (!m_fields.empty()) m_selection = 0;
}

std::vector<std::string> SetFieldSequenceForm::GetNames() const
{
    std::vector<std::string> names;
    for (const std::uint16_t field : m_fields) {
        const CLabProp* definition = FindPluFieldDefAny(field);
        names.push_back(definition ? definition->m_name : "Unknown");
    }
    return names;
}

void SetFieldSequenceForm::Select(std::optional<std::size_t> row)
{
    m_selection = row && *row < m_fields.size() ? row : std::nullopt;
}

void SetFieldSequenceForm::OnUp()
{
    if (!m_selection || *m_selection == 0) return;
    std::swap(m_fields[*m_selection - 1], m_fields[*m_selection]);
    --*m_selection;
}

void SetFieldSequenceForm::OnDown()
{
    if (!m_selection || *m_selection + 1 >= m_fields.size()) return;
    std::swap(m_fields[*m_selection], m_fields[*m_selection + 1]);
    ++*m_selection;
}

}  // namespace varnel
