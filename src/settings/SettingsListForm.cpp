// The settings list dialogs' shared rules.
#include "settings/SettingsListForm.h"

#include "settings/UserSetupList.h"

namespace varnel {

SettingsListForm::SettingsListForm(Rule rule)
{
    if (rule != Rule::SetupPermissions) return;
    m_addEnabled = CheckUserPermission(kSetupTable, AccessUpdate, false);
    m_deleteEnabled = CheckUserPermission(kSetupTable, AccessDelete, false);
}

void SettingsListForm::Select(std::optional<std::size_t> row)
{
    m_selection = row && *row < m_rows.size() ? row : std::nullopt;
}

void SettingsListForm::Edit()
{
    if (m_editEnabled && m_selection) EditRow(*m_selection);
}

void SettingsListForm::Delete()
{
    if (m_deleteEnabled && m_selection) DeleteRow(*m_selection);
}

SettingsListForm::End SettingsListForm::DoubleClick()
{
    Edit();
    return End::Stay;
}

void SettingsListForm::SetRows(std::vector<std::string> rows, std::optional<std::size_t> selection)
{
    m_rows = std::move(rows);
    Select(selection);
}

void SettingsListForm::SetRow(std::size_t row, std::string text)
{
    m_rows.at(row) = std::move(text);
    m_selection = row;
}

void SettingsListForm::AppendRow(std::string text)
{
    m_rows.push_back(std::move(text));
    m_selection = m_rows.size() - 1;
}

void SettingsListForm::RemoveRow(std::size_t row)
{
    m_rows.erase(m_rows.begin() + static_cast<std::ptrdiff_t>(row));
    if (m_rows.empty()) m_selection.reset();
    else m_selection = row < m_rows.size() ? row : m_rows.size() - 1;
}

}  // namespace varnel
