// The department list's rules.
#include "settings/EditDeptSettingsForm.h"

#include "db/text/DbcsString.h"
#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "settings/AppEventLog.h"
#include "settings/MasterScaleList.h"

namespace varnel {
namespace {

constexpr std::size_t kRowNameBytes = 30;

std::string Detail(const CMasterScale& department) { return " " + department.m_name; }

}  // namespace

EditDeptSettingsForm::EditDeptSettingsForm(CMasterScaleList& departments, const CAppEventLog& log,
                                           ScaleChoiceSource choices, DatabaseFileChoice files, const CharRule& chars)
    : SettingsListForm(Rule::SetupPermissions), m_departments(departments), m_log(log), m_choices(std::move(choices)),
      m_files(std::move(files)), m_chars(chars)
{
    std::vector<std::string> rows;
    for (const auto& department : departments.GetDepartments()) rows.push_back(RowText(*department));
    SetRows(std::move(rows), 0);
}

std::string EditDeptSettingsForm::RowText(const CMasterScale& department) const
{
    std::string text(DbcsLeft(department.m_name, kRowNameBytes, m_chars));
    if (&department == m_departments.GetCurrent()) text += '*';
    return text;
}

bool EditDeptSettingsForm::EditDepartmentOf(CMasterScale& department)
{
    return m_ui != nullptr && EditDepartment(department, m_choices(department), m_files, m_chars, *m_ui);
}

void EditDeptSettingsForm::Add()
{
    if (!IsAddEnabled()) return;
    const std::optional<std::uint16_t> id = m_departments.GetFreeId();
    if (!id) return;
    auto department = std::make_unique<CMasterScale>();
    department->m_id = *id;
    for (;;) {
        if (!EditDepartmentOf(*department)) return;
        if (!department->m_name.empty()) break;
        ShowMessage(kMsgNoName);
    }
    m_log.LogSetupModified(kMsgDepartment, Detail(*department));
    AppendRow(RowText(*department));
    m_departments.Add(std::move(department));
}

void EditDeptSettingsForm::EditRow(std::size_t row)
{
    CMasterScale& department = *m_departments.GetDepartments().at(row);
    if (!EditDepartmentOf(department)) return;
    SetRow(row, RowText(department));
    m_log.LogSetupModified(kMsgDepartment, Detail(department));
}

void EditDeptSettingsForm::DeleteRow(std::size_t row)
{
    if (ShowMessage(kMsgDeleteDepartment, MessageButtons::YesNo, MessageIcon::Question) != MessageAnswer::Yes) return;
    m_log.LogSetupDeleted(kMsgDepartment, Detail(*m_departments.GetDepartments().at(row)));
    m_departments.RemoveAt(row);
    RemoveRow(row);
}

bool EditDepartmentList(const CMasterScaleList& departments, const std::function<bool()>& runDialog,
                        const std::function<void()>& postChangeDepartment)
{
    if (!runDialog()) return false;
    if (!departments.GetDepartments().empty() && departments.GetCurrent() == nullptr) {
        ShowMessage(kMsgNoCurrentDepartment, MessageButtons::Ok, MessageIcon::Information);
        postChangeDepartment();
    }
    return true;
}

}  // namespace varnel
