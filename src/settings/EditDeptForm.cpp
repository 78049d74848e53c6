// The department entry's rules.
#include "settings/EditDeptForm.h"

#include "db/text/DbcsString.h"
#include "platform/UserPrompt.h"
#include "settings/MasterScale.h"
#include "settings/UserSetupList.h"

namespace varnel {

EditDeptForm::EditDeptForm(const CMasterScale& department, std::vector<CScaleChoice> choices, DatabaseFileChoice files,
                           const CharRule& chars)
    : m_name(department.m_name), m_choices(std::move(choices)), m_files(std::move(files)), m_chars(chars),
      m_database(department.m_database)
{
    if (!AssignedChoices().empty()) m_scaleSelection = 0;
}

bool EditDeptForm::ChangeDatabase()
{
    FileRequest request;
    request.defaultExtension = m_files.extension;
    request.fileName = m_database.empty() ? m_files.pattern : m_database;
    request.filter = m_files.filter;
    const std::optional<std::string> chosen = AskFileName(request);
    if (!chosen) return false;
    m_database = *chosen;
    return true;
}

std::vector<std::size_t> EditDeptForm::AssignedChoices() const
{
    std::vector<std::size_t> assigned;
    for (std::size_t i = 0; i < m_choices.size(); ++i)
        if (m_choices[i].selected) assigned.push_back(i);
    return assigned;
}

std::vector<std::string> EditDeptForm::GetScaleRows() const
{
    std::vector<std::string> rows;
    for (const std::size_t choice : AssignedChoices()) rows.push_back(m_choices[choice].label);
    return rows;
}

void EditDeptForm::SelectScale(std::optional<std::size_t> row)
{
    m_scaleSelection = row && *row < AssignedChoices().size() ? row : std::nullopt;
}

PickerForm EditDeptForm::MakeScalePicker() const
{
    std::vector<ScaleChoiceRow> rows;
    for (const CScaleChoice& choice : m_choices) rows.push_back({choice.label, choice.selected});
    return varnel::MakeScalePicker(rows, true);
}

void EditDeptForm::AssignScale(std::size_t choice)
{
    m_choices.at(choice).selected = true;
    const std::vector<std::size_t> assigned = AssignedChoices();
    for (std::size_t row = 0; row < assigned.size(); ++row)
        if (assigned[row] == choice) m_scaleSelection = row;
}

void EditDeptForm::UnassignScale()
{
    if (!m_scaleSelection) return;
    m_choices[AssignedChoices().at(*m_scaleSelection)].selected = false;
    const std::size_t rows = AssignedChoices().size();
    if (rows == 0) m_scaleSelection.reset();
    else if (*m_scaleSelection >= rows) m_scaleSelection = rows - 1;
}

bool EditDeptForm::Accept()
{
    m_name = std::string(DbcsLeft(m_name, kNameLimit, m_chars));
    if (m_database.empty()) {
        ShowMessage(kMsgNoDatabase);
        return false;
    }
    if (AssignedChoices().empty()) {
        ShowMessage(kMsgNoScale);
        return false;
    }
    return true;
}

void EditDeptForm::StoreInto(CMasterScale& department) const
{
    department.m_name = m_name;
    department.m_database = m_database;
    department.m_scales.clear();
    for (const std::size_t choice : AssignedChoices())
        department.m_scales.push_back(std::make_unique<CScaleDef>(m_choices[choice].linkId, m_choices[choice].scaleId));
}

bool EditDepartment(CMasterScale& department, std::vector<CScaleChoice> choices, const DatabaseFileChoice& files,
                    const CharRule& chars, IEditDeptUi& ui)
{
    if (choices.empty()) {
        ShowMessage(kMsgNoScalesForDepartment);
        return false;
    }
    EditDeptForm entry(department, std::move(choices), files, chars);
    if (!ui.RunDeptEntry(entry)) return false;
    if (!CheckUserPermission(kSetupTable, AccessUpdate, true)) return false;
    entry.StoreInto(department);
    return true;
}

}  // namespace varnel
