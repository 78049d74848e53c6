// The department code list's rules.
#include "settings/EditDeptCodesForm.h"

#include "platform/TextFormat.h"
#include "platform/UserPrompt.h"
#include "settings/AppEventLog.h"
#include "settings/DeptGroupTree.h"
#include "settings/UserSetupList.h"

namespace varnel {

EditDeptCodesForm::EditDeptCodesForm(CDeptCodeList& codes, const CAppEventLog& log, const CPluDefTb* plus,
                                     const DeptCodeDisplay& display, const CharRule& chars)
    : SettingsListForm(Rule::SetupPermissions), m_codes(codes), m_log(log), m_plus(plus), m_display(display),
      m_chars(chars)
{
    if (!IsDeleteEnabled()) DisableAdd();
    Fill(0);
}

void EditDeptCodesForm::Fill(std::optional<std::size_t> selection)
{
    std::vector<std::string> rows;
    for (std::size_t i = 0; i < m_codes.GetCount(); ++i) rows.push_back(m_codes.GetAt(i).GetDisplayText(m_display));
    SetRows(std::move(rows), selection);
}

bool EditDeptCodesForm::RunEntry(EditDeptCodeForm& entry, std::optional<std::uint16_t> ownCode, bool checkPermission)
{
    while (m_ui != nullptr && m_ui->RunDeptCodeEntry(entry)) {
        if (checkPermission && !CheckUserPermission(kSetupTable, AccessUpdate, true)) return false;
        if (entry.GetCode() == ownCode || m_codes.FindDept(entry.GetCode()) == nullptr) return true;
        if (ShowMessage(kMsgOverwrite, MessageButtons::YesNo, MessageIcon::Question) == MessageAnswer::Yes) return true;
    }
    return false;
}

void EditDeptCodesForm::Store(EditDeptCodeForm& entry)
{
    std::unique_ptr<CDeptCode> code = entry.TakeDeptCode();
    m_log.LogSetupModified(kMsgDeptCode, FormatText(" ID=%d : %s", int{code->m_id}, code->m_name.c_str()));
    Fill(m_codes.Insert(std::move(code)));
}

void EditDeptCodesForm::Add()
{
    if (!IsAddEnabled()) return;
    EditDeptCodeForm entry(m_display, m_chars);
    if (RunEntry(entry, std::nullopt, false)) Store(entry);
}

void EditDeptCodesForm::EditRow(std::size_t row)
{
    const std::uint16_t ownCode = m_codes.GetAt(row).m_id;
    EditDeptCodeForm entry(m_codes.GetAt(row), m_display, m_chars);
    if (!RunEntry(entry, ownCode, true)) return;
    (void)m_codes.RemoveAt(row);
    Store(entry);
}

void EditDeptCodesForm::DeleteRow(std::size_t row)
{
    const std::unique_ptr<CDeptCode> code = m_codes.RemoveAt(row);
    m_log.LogSetupDeleted(kMsgDeptCode, FormatText(" ID=%d : %s", int{code->m_id}, code->m_name.c_str()));
    RemoveRow(row);
}

void EditDeptCodesForm::AutoGenerate()
{
    if (!IsAutoGenerateEnabled()) return;
    if (ShowMessage(kMsgAutoGenerate, MessageButtons::OkCancel, MessageIcon::Question) != MessageAnswer::Ok) return;
    std::vector<std::unique_ptr<CDeptCode>> tree;
    BuildDeptGroupTree(*m_plus, tree);
    m_codes.RemoveAll();
    for (auto& code : tree) m_codes.Add(std::move(code));
    m_log.LogSetupModified(kMsgDeptCode, {});
    Fill(0);
}

}  // namespace varnel
